// The target search on a small mechanism with stand-in libraries of known answers.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/core/history/run_history.h"
#include "app/core/search/target_search.h"
#include "fake_libraries.h"

namespace vantor::search {
namespace {

using searchtest::Counters;

class Folder {
public:
    Folder() {
        static int counter = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 ("vts" + std::to_string(::getpid()) + "_" + std::to_string(counter++)))
                    .string();
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Lines : public SearchObserver {
public:
    void AddLine(const std::string& line) override { text += line + "\n"; }
    void CandidateDone(const CandidateRow& row) override {
        if (onRow) onRow(row);
    }
    std::string text;
    std::function<void(const CandidateRow&)> onRow;
};

TargetSearchSettings Settings(double target, bool removal) {
    TargetSearchSettings s;
    s.targetPercent = target;
    s.speciesRemoval = removal;
    s.cores = 2;  // chunks of the two pressures at one temperature
    return s;
}

struct SearchCase {
    Folder folder;
    Lines lines;
    TargetSearchResult result;
    void Go(const TargetSearchSettings& settings, TargetSearch* search = nullptr) {
        TargetSearch own(searchtest::FakeEntries(), settings);
        result = (search ? *search : own).Run(searchtest::FakeInput(folder.Path()), lines);
    }
};

TEST(TargetSearch, FewestSpeciesByThresholdThenBySingleRemovals) {
    searchtest::ResetCounters();
    SearchCase run;
    std::ofstream(run.folder.File("Tran.dat")) << "H2O 2 572.4 2.605 1.844 0 4\nH2 1 38 2.92 0 0.79 280\n";
    run.Go(Settings(4.5, true));
    ASSERT_EQ(run.result.code, SearchCode::Found) << run.lines.text;
    const auto& rows = run.result.rows;
    // Threshold search: 6 species (X2, X1, H2O2, HO2 missing: 4 %) is the smallest set within.
    int runs = 0, bestThreshold = 0;
    for (const CandidateRow& r : rows) {
        if (r.result != CandidateResult::Same) ++runs;
        if (!r.removal && r.result == CandidateResult::Within && (!bestThreshold || r.species < bestThreshold))
            bestThreshold = r.species;
    }
    EXPECT_EQ(bestThreshold, 6);
    // Then H2O (least used) goes; O, OH and H each break the target; H stops ignition.
    const CandidateRow& chosen = rows[static_cast<size_t>(run.result.chosen - 1)];
    EXPECT_TRUE(chosen.removal);
    EXPECT_EQ(chosen.removedSpecies, "H2O");
    EXPECT_EQ(chosen.species, 5);
    EXPECT_NEAR(*chosen.largest, 4.0, 1e-9);
    const auto noH = std::find_if(rows.begin(), rows.end(), [](const CandidateRow& r) {
        return r.removedSpecies == "H" && r.result != CandidateResult::Same;
    });
    ASSERT_NE(noH, rows.end());
    EXPECT_FALSE(noH->largest);  // no ignition where the detailed mechanism ignites
    EXPECT_EQ(noH->result, CandidateResult::Outside);
    EXPECT_EQ(noH->casesRun, 2);  // stopped after its first chunk
    // The second pass, over the same base, has nothing new to try.
    EXPECT_EQ(rows.back().removedSpecies, "H");
    EXPECT_EQ(Counters().compiles, runs + 2);  // + the detailed mechanism and the final test

    const std::string inp = Read(run.folder.File("NEW_Chem.inp"));
    EXPECT_NE(inp.find("!Target error=4.5000%;Largest delay difference=4.0000% (case "), std::string::npos);
    EXPECT_NE(inp.find("!Candidates tried=" + std::to_string(rows.size())), std::string::npos);
    EXPECT_NE(inp.find("  !RD->  H2O HO2 H2O2 X1 X2"), std::string::npos) << inp;
    EXPECT_TRUE(std::filesystem::exists(run.folder.File("CMP.dat")));
    EXPECT_EQ(Read(run.folder.File("NEW_Tran.dat")), "H2 1 38 2.92 0 0.79 280\n");  // H2O went
    EXPECT_EQ(Read(run.folder.File("NEW_Therm.dat")), "END\n");                   // from an empty therm.dat
    EXPECT_NE(Read(run.folder.File("SP.TRM")).find("    3    7    8    9   10"), std::string::npos);
    EXPECT_NE(Read(run.folder.File("NEW_Candidates.dat")).find("# chosen: " + std::to_string(chosen.number)),
              std::string::npos);
    ASSERT_TRUE(run.result.outcome);
    EXPECT_EQ(run.result.outcome->keptSpeciesCount, 5);
}

// An always-kept species is never a removal candidate, and the result is kept in the history.
TEST(TargetSearch, AlwaysKeptSpeciesStayAndTheResultIsKeptInTheHistory) {
    searchtest::ResetCounters();
    SearchCase run;
    search::TargetSearchInput input = searchtest::FakeInput(run.folder.Path());
    input.settings.alwaysKept = {"H2O"};
    TargetSearch search(searchtest::FakeEntries(), Settings(4.5, true));
    run.result = search.Run(input, run.lines);
    ASSERT_EQ(run.result.code, SearchCode::Found) << run.lines.text;
    for (const CandidateRow& r : run.result.rows) EXPECT_NE(r.removedSpecies, "H2O");
    EXPECT_EQ(run.result.rows[static_cast<size_t>(run.result.chosen - 1)].species, 6);  // H2O stays

    const auto runs = history::ListRuns(run.folder.Path());
    ASSERT_EQ(runs.size(), 1u) << run.lines.text;
    EXPECT_EQ(runs[0].summary.kind, "target search");
    EXPECT_EQ(runs[0].summary.keptSpecies, 6);
    EXPECT_EQ(runs[0].summary.alwaysKept, "H2O");
    EXPECT_NE(run.lines.text.find("> Results kept in " + runs[0].folder), std::string::npos);
    for (const char* name : {"NEW_Chem.inp", "SP.TRM", "SAVE.dat", "New_SAVE.dat", "CMP.dat", "NEW_Candidates.dat"})
        EXPECT_TRUE(std::filesystem::exists(runs[0].folder + "/" + name)) << name;
}

TEST(TargetSearch, StopsAtTheCandidateLimitWithTheBestSoFar) {
    searchtest::ResetCounters();
    TargetSearchSettings settings = Settings(4.5, false);
    settings.maxThresholdCandidates = 2;
    SearchCase run;
    run.Go(settings);
    ASSERT_EQ(run.result.code, SearchCode::Found);
    ASSERT_EQ(run.result.rows.size(), 2u);  // 0.5 within (6 species), 0.25 outside (4)
    EXPECT_EQ(run.result.rows[1].threshold, 0.25);
    EXPECT_EQ(run.result.chosen, 1);
}

TEST(TargetSearch, AStopRequestKeepsTheBestMechanismFoundSoFar) {
    searchtest::ResetCounters();
    TargetSearch search(searchtest::FakeEntries(), Settings(4.5, true));
    SearchCase run;
    run.lines.onRow = [&search](const CandidateRow& row) {
        if (row.result == CandidateResult::Within) search.RequestStop();
    };
    run.Go(Settings(4.5, true), &search);
    ASSERT_EQ(run.result.code, SearchCode::Found) << run.lines.text;
    EXPECT_TRUE(run.result.stopped);
    EXPECT_EQ(run.result.rows.size(), 1u);
    const std::string inp = Read(run.folder.File("NEW_Chem.inp"));
    EXPECT_NE(inp.find("Reduced SP#=6;"), std::string::npos);
    EXPECT_NE(inp.find("!Search stopped by the user"), std::string::npos);
    EXPECT_NE(run.lines.text.find("> The search was stopped: the best mechanism found so far is kept."),
              std::string::npos);
    EXPECT_NE(run.lines.text.find("> Reduction to a target error stopped: 1 candidates"), std::string::npos);
    EXPECT_EQ(run.lines.text.find("error completed"), std::string::npos);
}

TEST(TargetSearch, NoCandidateWithinTargetLeavesTheReducedMechanismAlone) {
    searchtest::ResetCounters();
    Counters().maxKept = 9;  // every candidate misses X2: 0.5 % at best
    SearchCase run;
    std::ofstream(run.folder.File("NEW_Chem.inp")) << "earlier";
    run.Go(Settings(0.1, true));
    EXPECT_EQ(run.result.code, SearchCode::NoneWithinTarget);
    EXPECT_EQ(run.result.chosen, 0);
    EXPECT_EQ(Read(run.folder.File("NEW_Chem.inp")), "earlier");
    EXPECT_FALSE(std::filesystem::exists(run.folder.File("CMP.dat")));
    EXPECT_NE(run.lines.text.find("<E> No candidate is within the target of 0.10 %"), std::string::npos);
    EXPECT_NE(Read(run.folder.File("NEW_Candidates.dat")).find("# chosen: none"), std::string::npos);
}

// The result is put in place only when complete: a failing reduced test leaves the earlier
// mechanism with its own comparison.
TEST(TargetSearch, AFailingReducedTestLeavesTheEarlierResultWhole) {
    searchtest::ResetCounters();
    Counters().failReducedTest = true;
    SearchCase run;
    const char* const earlier[] = {"NEW_Chem.inp", "SP.TRM", "New_Chem.bin", "New_SAVE.dat", "CMP.dat",
                                   "NEW_Candidates.dat"};
    for (const char* name : earlier) std::ofstream(run.folder.File(name)) << "earlier";
    run.Go(Settings(4.5, false));
    EXPECT_EQ(run.result.code, SearchCode::Failed);
    for (const char* name : earlier) EXPECT_EQ(Read(run.folder.File(name)), "earlier") << name;
    EXPECT_NE(run.lines.text.find("<E> Run standard procedure failed on the reduced mechanism\n"
                                  "> Something wrrong #4106 ,please check " +
                                  run.folder.File("TRG/New_Out.dat") + " file."),
              std::string::npos)
        << run.lines.text;
    EXPECT_EQ(run.lines.text.find(" written to "), std::string::npos);
}

TEST(TargetSearch, FailingDetailedRunsStopTheSearch) {
    searchtest::ResetCounters();
    Counters().failDetailedIgnition = true;
    SearchCase run;
    run.Go(Settings(10, true));
    EXPECT_EQ(run.result.code, SearchCode::Failed);
    EXPECT_TRUE(run.result.rows.empty());
    EXPECT_EQ(Counters().engineCalls, 0);
    EXPECT_NE(run.lines.text.find("<E> Run standard procedure failed on the detailed mechanism: the search stops.\n"
                                  "> Something wrrong #4105 ,please check out.dat file."),
              std::string::npos)
        << run.lines.text;
}

TEST(TargetSearch, TargetMustBeANumberAboveZero) {
    std::string message;
    EXPECT_EQ(ParseTargetPercent("12.5", message), 12.5);
    for (const char* bad : {"0", "-3", "abc", "", "10%"}) {
        message.clear();
        EXPECT_FALSE(ParseTargetPercent(bad, message)) << bad;
        EXPECT_FALSE(message.empty());
    }
}

}  // namespace
}  // namespace vantor::search
