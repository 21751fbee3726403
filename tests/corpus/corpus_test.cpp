// The public mechanisms of tests/data/corpus as researchers bring them: every one compiles, and
// every one with an ignition case goes through `vantor-cli run` (integrated reduction at the
// project defaults for that one state, reduced test, comparison), its thermo and transport files
// named in the project under the names they ship with.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/ignition_summary.h"
#include "app/core/pipeline/parameter_grid.h"
#include "chemlib/mechanism.h"
#include "cli_runner.h"
#include "outside/tolmar/tolmar.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

struct CorpusEntry {
    std::string name, mechanism, thermo, transport, mixture, pressure, temperature;
};

void PrintTo(const CorpusEntry& e, std::ostream* out) { *out << e.name; }

std::string CorpusDir() { return std::string(VANTOR_TEST_DATA_DIR) + "/corpus"; }

std::vector<CorpusEntry> ReadManifest() {
    std::vector<CorpusEntry> entries;
    std::ifstream in(CorpusDir() + "/MANIFEST.tsv");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
        if (f.size() >= 7) entries.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
    }
    return entries;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The listing's error lines (after its "ERRORS (n)" heading).
std::vector<std::string> ListingErrors(const std::string& listing) {
    std::vector<std::string> errors;
    bool in = false;
    for (const std::string& line : Lines(listing)) {
        if (line.rfind(" ERRORS (", 0) == 0) {
            in = true;
        } else if (in && line.empty()) {
            break;
        } else if (in) {
            errors.push_back(line);
        }
    }
    return errors;
}

// Where a mechanism still stops: "ok", or the first error of the listing.
std::string FirstError(const std::string& listing) {
    const auto errors = ListingErrors(listing);
    return errors.empty() ? "(no error listed)" : errors.front();
}

// A refusal of chemically activated reactions is acceptable only when it is the only refusal
// and names every HIGH reaction (its reaction line or its HIGH line).
void ExpectOnlyHighRefused(const std::string& mechanismText, const std::string& listing) {
    const auto errors = ListingErrors(listing);
    ASSERT_FALSE(errors.empty()) << listing;
    for (const auto& e : errors) EXPECT_NE(Upper(e).find("HIGH"), std::string::npos) << e;
    const auto lines = Lines(mechanismText);
    size_t reactionLine = 0;
    int highReactions = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string content = lines[i].substr(0, lines[i].find('!'));
        if (content.find('=') != std::string::npos) reactionLine = i + 1;
        std::istringstream words(content);
        std::string first;
        words >> first;
        if (Upper(first).rfind("HIGH", 0) != 0) continue;
        ++highReactions;
        const auto named = [&](size_t line) { return listing.find(", line " + std::to_string(line) + ":") != std::string::npos; };
        EXPECT_TRUE(named(reactionLine) || named(i + 1)) << "HIGH reaction of line " << reactionLine << " not named";
    }
    EXPECT_GT(highReactions, 0);
}

using test::CliResult;
using test::RunCli;

// The project a user would write for the entry: the grid's defaults, its one state and mixture.
ProjectData EntryProject(const CorpusEntry& e) {
    ProjectData project;
    project.mechanismPath = e.mechanism;
    const ParameterGrid grid = FillParameterGrid();
    for (int row = 1; row <= kProjectGridRows; ++row)
        project.grid[static_cast<size_t>(row - 1)] = {grid[row][kUnitColumn], grid[row][kValueColumn]};
    project.grid[kRowPressure - 1].value = e.pressure;
    project.grid[kRowTemperature - 1].value = e.temperature;
    project.mixtureLines = {e.mixture};
    if (e.thermo != "-") project.thermoPath = e.thermo;
    if (e.transport != "-") project.transportPath = e.transport;
    return project;
}

class Corpus : public ::testing::TestWithParam<CorpusEntry> {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantor_corpus_XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        for (const auto& file : fs::directory_iterator(CorpusDir() + "/" + GetParam().name))
            fs::copy_file(file.path(), fs::path(dir_) / file.path().filename());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string File(const std::string& name) const { return dir_ + "/" + name; }
    std::string dir_;
};

TEST_P(Corpus, CompilesAndItsCaseReducesEndToEnd) {
    const CorpusEntry& e = GetParam();
    const std::string thermo = e.thermo == "-" ? "" : File(e.thermo);
    const auto started = std::chrono::steady_clock::now();
    const int32_t status =
        tolmar::CompileMechanismFiles(File(e.mechanism), thermo, File("check.bin"), File("check.lst"));
    const std::chrono::duration<double> compileTime = std::chrono::steady_clock::now() - started;
    const std::string listing = ReadAll(File("check.lst"));
    std::printf("[corpus] %s: compile status %d in %.2f s\n", e.name.c_str(), status, compileTime.count());
    if (status != 0 && e.name == "butanol_sarathy2012") {
        ExpectOnlyHighRefused(ReadAll(File(e.mechanism)), listing);
        return;
    }
    ASSERT_EQ(status, 0) << FirstError(listing);
    // The workbench's species list numbers the species as the binary does.
    chem::Mechanism compiled;
    std::ostringstream messages;
    ASSERT_EQ(compiled.Load(File("check.bin"), messages), 0) << messages.str();
    MechanismModel model;
    ASSERT_TRUE(OpenMechanism(model, File(e.mechanism)).ok);
    ASSERT_EQ(model.DetailedSpeciesCount, compiled.KK());
    for (int32_t k = 1; k <= compiled.KK(); ++k)
        ASSERT_EQ(Upper(model.Species[static_cast<size_t>(k - 1)].name), Upper(compiled.SpeciesName(k))) << k;
    if (e.mixture == "-") return;
#if !VANTOR_CORPUS_RUNS
    GTEST_SKIP() << "the integrated runs of the corpus run in the release build";
#endif

    std::string error;
    ASSERT_TRUE(SaveProject(File("corpus.PRJ"), EntryProject(e), &error)) << error;
    const auto runStarted = std::chrono::steady_clock::now();
    const CliResult run = RunCli("run '" + File("corpus.PRJ") + "'");
    const std::chrono::duration<double> runTime = std::chrono::steady_clock::now() - runStarted;
    std::printf("[corpus] %s: run status %d in %.1f s\n", e.name.c_str(), run.status, runTime.count());
    ASSERT_EQ(run.status, 0) << run.output.substr(run.output.size() > 3000 ? run.output.size() - 3000 : 0);

    // The reduced mechanism compiles on its own, with the same thermo data.
    EXPECT_EQ(tolmar::CompileMechanismFiles(File("NEW_Chem.inp"), thermo, File("reduced.bin"), File("reduced.lst")), 0)
        << FirstError(ReadAll(File("reduced.lst")));

    std::vector<std::string> detailedLines, reducedLines;
    ASSERT_TRUE(ReadTextLines(File("SAVE.dat"), detailedLines));
    ASSERT_TRUE(ReadTextLines(File("New_SAVE.dat"), reducedLines));
    const auto detailed = ReadCaseResults(detailedLines);
    const auto reduced = ReadCaseResults(reducedLines);
    ASSERT_EQ(detailed.size(), 1u);
    ASSERT_EQ(reduced.size(), 1u);
    const auto difference = RelativeDelayDifference(detailed[0], reduced[0]);
    ASSERT_TRUE(difference) << "no delay difference for the case";
    EXPECT_TRUE(std::isfinite(*difference)) << *difference;
    EXPECT_TRUE(fs::exists(File("CMP.dat")));
    const size_t kept = run.output.find("Species kept: ");
    std::printf("[corpus] %s: %s; delay difference %.3f %%\n", e.name.c_str(),
                kept == std::string::npos ? "?" : run.output.substr(kept, run.output.find('\n', kept) - kept).c_str(),
                *difference);
}

// AramcoMech 3.0's lumped reaction with half coefficients (IND+H=>C6H5+.5C3H4-A+.5C3H4-P) meets
// the slightly negative concentrations of the integrator's Newton iterates: methane and hydrogen
// in air still ignite.
// Ignition cases away from the manifest's: states between the pressures of the tables and mixtures
// whose fuel is not the manifest's.
void ExpectEveryCaseIgnites(const std::string& folder, const std::string& mechanism, const std::string& thermo,
                            const std::string& cases, size_t count) {
    std::string pattern = (fs::temp_directory_path() / ("vantor_" + folder + "_XXXXXX")).string();
    const std::string dir = mkdtemp(pattern.data());
    const std::string data = CorpusDir() + "/" + folder + "/";
    ASSERT_EQ(tolmar::CompileMechanismFiles(data + mechanism, data + thermo, dir + "/chem.bin", dir + "/chem.lst"), 0)
        << FirstError(ReadAll(dir + "/chem.lst"));
    const CliResult run = RunCli("ignite '" + dir + "/chem.bin' " + cases + " --save '" + dir + "/SAVE.dat'");
    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir + "/SAVE.dat", lines)) << run.output;
    const auto results = ReadCaseResults(lines);
    ASSERT_EQ(results.size(), count);
    for (const auto& c : results) {
        EXPECT_TRUE(c.ignited);
        EXPECT_GT(c.rise.value_or(0.0), 1000.0);
    }
    fs::remove_all(dir);
}

TEST(CorpusIgnition, AwayFromTheManifestCases) {
#if !VANTOR_CORPUS_RUNS
    GTEST_SKIP() << "the ignition runs of the corpus run in the release build";
#endif
    // Methane and hydrogen in AramcoMech 3.0, whose one reaction with fractional coefficients
    // meets the slightly negative concentrations of the Newton iterations.
    ExpectEveryCaseIgnites("aramco3", "AramcoMech3.0.MECH", "ARAMCOMECH30.THERM",
                           "--P 20 --T 1000 --X \"CH4 1, O2 2, N2 7.52\" --X \"H2 2, O2 1, N2 3.76\"", 2);
    // Glarborg 2018 between its table pressures, where a table of negative rate constants is
    // interpolated (its manifest case is at 10 atm, a table pressure).
    ExpectEveryCaseIgnites("glarborg2018", "mech.dat", "thermo.dat", "--P 20 --T 1000 --X \"CH4 1, O2 2, N2 7.52\"", 1);
}

INSTANTIATE_TEST_SUITE_P(Public, Corpus, ::testing::ValuesIn(ReadManifest()),
                         [](const ::testing::TestParamInfo<CorpusEntry>& info) { return info.param.name; });

}  // namespace
}  // namespace vantor
