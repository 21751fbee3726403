// The target search's parts: case chunks, ignition comparison, the removal ranking and the
// candidate table.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/core/plots/search_candidates.h"
#include "app/core/search/candidate_ignition.h"
#include "app/core/search/candidate_table.h"
#include "app/core/search/ignition_cases.h"
#include "app/core/search/removal_ranking.h"

namespace vantor::search {
namespace {

JobRecord Cases(int mixtures, int pressures, int temperatures) {
    JobRecord job{};
    job.NMix = static_cast<int16_t>(mixtures);
    job.NPress = static_cast<int16_t>(pressures);
    job.NTemp = static_cast<int16_t>(temperatures);
    return job;
}

TEST(CaseChunks, SmallestSubProductThatFillsTheCores) {
    // 2 pressures x 3 temperatures on 2 cores: both pressures at one temperature.
    auto chunks = PlanChunks(Cases(1, 2, 3), 2);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[1].temperature, 2);
    EXPECT_EQ(chunks[1].pressure, 0);
    EXPECT_EQ(chunks[1].cases, (std::vector<int>{1, 4}));
    // 3 cores: one pressure row; 7 cores: every case at once; 1 core: case by case.
    EXPECT_EQ(PlanChunks(Cases(2, 2, 3), 3).size(), 4u);
    EXPECT_EQ(PlanChunks(Cases(1, 2, 3), 7).size(), 1u);
    EXPECT_EQ(PlanChunks(Cases(1, 2, 3), 7)[0].mixture, 0);
    EXPECT_EQ(PlanChunks(Cases(1, 2, 3), 1).size(), 6u);
    PutFirst(chunks, 5);
    EXPECT_EQ(chunks[0].temperature, 3);
    EXPECT_EQ(chunks[1].temperature, 1);
}

TEST(IgnitionCases, NoIgnitionOnOneSideIsOutsideAnyLimit) {
    const std::vector<std::string> lines{"INI P(atm)= 1",
                                         "DTAUi(s)= 0.2",
                                         "DTMAX(K)= 2000",
                                         "INI P(atm)= 1",
                                         "! no ignition: the temperature rose by less than 50 K up to 10 s",
                                         "DTAUi(s)= 10",
                                         "DTMAX(K)= 3"};
    std::vector<IgnitionCase> cases;
    ASSERT_TRUE(ReadIgnitionCases(lines, cases));
    ASSERT_EQ(cases.size(), 2u);
    EXPECT_TRUE(cases[0].ignited);
    EXPECT_FALSE(cases[1].ignited);
    EXPECT_NEAR(*CaseDifference(cases[0], {0.21, true}), 5.0, 1e-9);
    EXPECT_FALSE(CaseDifference(cases[0], cases[1]));
    EXPECT_FALSE(CaseDifference(cases[1], cases[0]));
    EXPECT_EQ(*CaseDifference(cases[1], cases[1]), 0.0);
    EXPECT_FALSE(ReadIgnitionCases({"INI P(atm)= 1", "DTMAX(K)= 3"}, cases));  // no delay line
}

TEST(RemovalRanking, FewestStatesFirstFromTheListingRecords) {
    const std::string path = (std::filesystem::temp_directory_path() / "vts_ranking_out.dat").string();
    std::ofstream(path, std::ios::binary) << " free record\r\n"
                                          << "Line  1/21 [   3]:    1    2    4\r\n"
                                          << "Line  2/21 [  22]:    1    2    3    4\r\n"
                                          << "                      5\r\n"
                                          << "Case   1    5:    1    2    3    4    5\r\n"
                                          << "Allcases    5:    1    2    3    4    5\r\n";
    std::vector<SpeciesUse> use;
    ASSERT_TRUE(ReadSpeciesUse(path, 6, use));
    EXPECT_EQ(use[3].states, 2);
    EXPECT_EQ(use[4].states, 1);  // from the continuation line
    EXPECT_EQ(use[4].cases, 1);
    EXPECT_EQ(use[5].states, 0);
    // Species 1 is a mixture's (fixed), 6 is not kept; ties go to the later species first.
    const KeepMarks kept{true, true, true, true, true, false};
    const KeepMarks fixed{true, false, false, false, false, false};
    EXPECT_EQ(RankForRemoval(use, kept, fixed), (std::vector<int32_t>{4, 2, 3, 1}));
    std::filesystem::remove(path);
}

TEST(CandidateTable, OneLinePerCandidateWithCommentsAround) {
    CandidateRow a;
    a.number = 1;
    a.threshold = 0.9;
    a.species = 271;
    a.reactions = 1450;
    a.largest = 8.94271;
    a.worstCase = 1;
    a.casesRun = a.caseCount = 6;
    a.wallSeconds = 7.9444;
    a.result = CandidateResult::Within;
    CandidateRow b = a;
    b.number = 2;
    b.removal = true;
    b.removedSpecies = "C7H15-2";
    b.largest.reset();
    b.casesRun = 2;
    b.result = CandidateResult::Outside;
    const std::string text = CandidateTableText({a, b}, 10.0, EngineMethod::Pfa, 1);
    EXPECT_EQ(text,
              "# Vantor target search: candidates tried\r\n"
              "# target: 10.0000 %  method: PFA\r\n"
              "# no kind value            species reactions   largest(%) worst   cases   wall(s)  result\r\n"
              "   1 THD  0.9000               271      1450       8.9427     1     6/6     7.944  within\r\n"
              "   2 RM   C7H15-2              271      1450          inf     1     2/6     7.944  outside\r\n"
              "# chosen: 1\r\n");

    // The candidate plot reads the table back: "inf" kept as infinite, "same:N" rows left out.
    CandidateRow c = a;
    c.number = 3;
    c.species = 250;
    c.result = CandidateResult::Same;
    c.sameAs = 1;
    const auto read = plots::ParseCandidateTable(CandidateTableText({a, b, c}, 10.0, EngineMethod::Pfa, 1));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].speciesKept, 271);
    EXPECT_DOUBLE_EQ(read[0].largestDifferencePercent, 8.9427);
    EXPECT_TRUE(read[0].chosen);
    EXPECT_TRUE(std::isinf(read[1].largestDifferencePercent));
    EXPECT_FALSE(read[1].chosen);
}

}  // namespace
}  // namespace vantor::search
