// The comparison report: header, run-header pair and case blocks, the pairing of the reduced
// file's lines, and the file handling around it.

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/ignition_summary.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::TempDir;
using test::VectorSink;

// A standard-data file as the ignition runs write it, with the delays scaled by `scale`.
std::vector<std::string> StandardData(const std::string& mechanism, int cases, double scale) {
    std::vector<std::string> lines{"! Var#=    60  SP " + mechanism, "M DIMENSIONS        4 53 325 1 2 3"};
    for (int c = 1; c <= cases; ++c) {
        const double p = c <= 2 ? 1.0 : 2.0, t = c % 2 ? 1000.0 : 1200.0;
        lines.push_back("TAU0 " + std::to_string(c) + " " + std::to_string(p) + " " + std::to_string(t));
        lines.push_back("INI P(atm)= " + std::to_string(p));
        lines.push_back("INI T(K)=   " + std::to_string(t));
        lines.push_back("INI SP IDX  14 4");
        lines.push_back("INI SP MOL  0.33 0.67");
        lines.push_back(" 0.0 1013250.0 0 0 0 0 1000.0");
        lines.push_back("DTAUi(s)= " + std::to_string(0.001 * c * scale));
        lines.push_back("DTMAX(K)= " + std::to_string(1500.0 + c));
    }
    lines.push_back("END");
    return lines;
}

const std::string kRule(59, '-');

TEST(ComparisonReport, FourCasesGiveHeaderPairAndFourBlocks) {
    const auto report =
        BuildComparisonReport(StandardData("chem.inp", 4, 1.0), StandardData("NEW_Chem.inp", 4, 1.1), "2024-01-02 03:04:05");
    ASSERT_EQ(report.size(), 4u + 1u + 4u * 5u);
    EXPECT_EQ(report[0], kRule);
    EXPECT_EQ(report[1], "The comparison between the detailed and reduced chemistry");
    EXPECT_EQ(report[2], "2024-01-02 03:04:05");
    EXPECT_EQ(report[3], kRule);
    EXPECT_EQ(report[4], "Detailed chemistry: SP chem.inp\nSkeletal chemistry: SP NEW_Chem.inp");
    EXPECT_EQ(report[5], "\n\r===Case 1\nINI P(atm)= 1.000000");
    EXPECT_EQ(report[6], "INI T(K)=   1000.000000");
    EXPECT_EQ(report[7], "INI SP IDX  14 4");
    EXPECT_EQ(report[8], "INI SP MOL  0.33 0.67");
    EXPECT_EQ(report[9],
              "Detailed chemistry: DTAUi(s)= 0.001000; DTMAX(K)= 1501.000000\n"
              "Skeletal chemistry: DTAUi(s)= 0.001100; DTMAX(K)= 1501.000000");
    EXPECT_EQ(report[20].substr(0, 12), "\n\r===Case 4\n");
    EXPECT_NE(report[24].find("DTAUi(s)= 0.004400"), std::string::npos);
}

TEST(ComparisonReport, FileWithoutMarkersGivesTheHeaderOnly) {
    EXPECT_EQ(BuildComparisonReport({"M DIMENSIONS", "1 2 3", "END"}, {"END"}, "t").size(), 4u);
}

TEST(ComparisonReport, DtLineWithoutMarkerNeitherWritesNorMovesTheReducedFile) {
    const std::vector<std::string> detailed{"INI P(atm)= 1", "DTX= 3", "DTAUi(s)= 1", "DTMAX(K)= 2"};
    const std::vector<std::string> reduced{"INI P(atm)= 1", "DTAUi(s)= 5", "DTMAX(K)= 6"};
    const auto report = BuildComparisonReport(detailed, reduced, "t");
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[5], "Detailed chemistry: DTAUi(s)= 1; DTMAX(K)= 2\nSkeletal chemistry: DTAUi(s)= 5; DTMAX(K)= 6");
}

TEST(ComparisonReport, ShortReducedFilePairsItsLastLine) {
    const auto report = BuildComparisonReport(StandardData("a", 2, 1.0), StandardData("b", 1, 2.0), "t");
    // Case 2 of the detailed file finds no more reduced lines: the last one read ("END") stays.
    EXPECT_EQ(report.back(), "Detailed chemistry: DTAUi(s)= 0.002000; DTMAX(K)= 1502.000000\n"
                             "Skeletal chemistry: END; END");
}

class CompareFiles : public ::testing::Test {
protected:
    void WriteBoth(int cases) {
        std::string detailed, reduced;
        for (const auto& l : StandardData("chem.inp", cases, 1.0)) detailed += l + "\r\n";
        for (const auto& l : StandardData("NEW_Chem.inp", cases, 1.2)) reduced += l + "\n";  // LF only
        test::WriteText(work.File("SAVE.dat"), detailed);
        test::WriteText(work.File("New_SAVE.dat"), reduced);
    }
    TempDir work;
    VectorSink sink;
};

TEST_F(CompareFiles, MissingInputShowsTheBoxAndKeepsTheOldReport) {
    test::WriteText(work.File("CMP.dat"), "old report\r\n");
    test::WriteText(work.File("SAVE.dat"), "E\r\n");
    EXPECT_EQ(CompareResults(work.Path(), sink, std::chrono::system_clock::now()), kCompareInputMissing);
    EXPECT_EQ(sink.boxes, std::vector<std::string>{"Result data are not exist"});
    EXPECT_EQ(test::ReadText(work.File("CMP.dat")), "old report\r\n");
}

TEST_F(CompareFiles, ReportIsRewrittenWithCrLfAndTheNewDate) {
    WriteBoth(4);
    const auto first = std::chrono::system_clock::from_time_t(86400 * 365 * 30);
    ASSERT_EQ(CompareResults(work.Path(), sink, first), kCompareOk);
    const std::string text = test::ReadText(work.File("CMP.dat"));
    EXPECT_EQ(text.rfind(kRule + "\r\nThe comparison between the detailed and reduced chemistry\r\n", 0), 0u);
    EXPECT_NE(text.find("===Case 4\nINI P(atm)= 2.000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("Skeletal chemistry: DTAUi(s)= 0.001200; DTMAX(K)= 1501.000000\r\n"), std::string::npos);
    ASSERT_EQ(CompareResults(work.Path(), sink, first + std::chrono::hours(49)), kCompareOk);
    const std::string second = test::ReadText(work.File("CMP.dat"));
    EXPECT_NE(second, text);
    EXPECT_EQ(second.size(), text.size());  // only the date differs
}

TEST_F(CompareFiles, ReportThatCannotBeWrittenIsReported) {
    WriteBoth(1);
    std::filesystem::create_directory(work.File("CMP.dat"));  // nothing can replace a folder
    EXPECT_EQ(CompareResults(work.Path(), sink, std::chrono::system_clock::now()), kCompareIoFailed);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_NE(sink.boxes[0].find("CMP.dat"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(work.File("CMP.dat")));
}

TEST(IgnitionSummary, CasesAreReadAndSetSideBySide) {
    const auto detailed = ReadCaseResults(StandardData("a", 4, 1.0));
    const auto reduced = ReadCaseResults(StandardData("b", 3, 1.1));
    ASSERT_EQ(detailed.size(), 4u);
    EXPECT_EQ(detailed[2].pressureAtm, 2.0);
    EXPECT_EQ(detailed[2].temperatureK, 1000.0);
    EXPECT_DOUBLE_EQ(*detailed[3].delay, 0.004);
    EXPECT_EQ(detailed[3].rise, 1504.0);
    EXPECT_NEAR(*RelativeDelayDifference(detailed[0], reduced[0]), 10.0, 1e-9);
    EXPECT_NEAR(*LargestDelayDifference(detailed, reduced), 10.0, 1e-9);

    const auto table = FormatComparisonTable(detailed, reduced, 4);
    ASSERT_EQ(table.size(), 5u);
    EXPECT_NE(table[1].find("1.000000E-03"), std::string::npos);
    EXPECT_NE(table[1].find("1.100000E-03"), std::string::npos);
    EXPECT_NE(table[1].find("10.00"), std::string::npos);
    EXPECT_EQ(table[4].back(), '-');  // no reduced case 4
    for (const auto& line : table) EXPECT_EQ(line.size(), table[0].size()) << line;
}

// Makes case `c` (1-based) of a standard-data file one that did not ignite, as the ignition runs
// write it.
void WithoutIgnition(std::vector<std::string>& lines, int c) {
    int seen = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("DTAUi(s)", 0) != 0 || ++seen != c) continue;
        lines[i] = "DTAUi(s)= 0.5";
        lines.insert(lines.begin() + static_cast<long>(i),
                     "! no ignition: the temperature rose by less than 50 K up to 0.5 s, where its state had become "
                     "steady");
        return;
    }
}

TEST(IgnitionSummary, CaseWithoutIgnitionShowsNoDelayAndIgnitingWithOneMechanismOnlyFails) {
    auto detailedLines = StandardData("a", 3, 1.0), reducedLines = StandardData("b", 3, 1.1);
    WithoutIgnition(detailedLines, 3);
    WithoutIgnition(reducedLines, 2);
    WithoutIgnition(reducedLines, 3);

    const auto report = BuildComparisonReport(detailedLines, reducedLines, "t");
    ASSERT_EQ(report.size(), 4u + 1u + 3u * 5u);
    EXPECT_EQ(report[9],
              "Detailed chemistry: DTAUi(s)= 0.001000; DTMAX(K)= 1501.000000\n"
              "Skeletal chemistry: DTAUi(s)= 0.001100; DTMAX(K)= 1501.000000");
    EXPECT_EQ(report[14],
              "Detailed chemistry: DTAUi(s)= 0.002000; DTMAX(K)= 1502.000000\n"
              "Skeletal chemistry: no ignition by t = 0.5 s; DTMAX(K)= 1502.000000");
    EXPECT_EQ(report[19],
              "Detailed chemistry: no ignition by t = 0.5 s; DTMAX(K)= 1503.000000\n"
              "Skeletal chemistry: no ignition by t = 0.5 s; DTMAX(K)= 1503.000000");

    const auto detailed = ReadCaseResults(detailedLines), reduced = ReadCaseResults(reducedLines);
    EXPECT_EQ(CaseIgnited(reducedLines, 1), true);
    EXPECT_EQ(CaseIgnited(reducedLines, 2), false);
    EXPECT_EQ(CaseIgnited(reducedLines, 4), std::nullopt);
    EXPECT_FALSE(reduced[1].delay);
    EXPECT_EQ(reduced[1].noIgnitionUntil, 0.5);
    EXPECT_EQ(IgnitionMismatches(detailed, reduced), std::vector<int>{2});
    EXPECT_EQ(LargestDifferenceLine(detailed, reduced),
              "Largest ignition-delay difference: the reduced mechanism fails: case 2 ignites with one mechanism only");
    EXPECT_EQ(LargestDifferenceLine(detailed, detailed), "Largest ignition-delay difference: 0.00 %");

    const auto table = FormatComparisonTable(detailed, reduced, 3);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_NE(table[1].find("10.00"), std::string::npos);
    EXPECT_NE(table[2].find("2.000000E-03        no ignition     fails"), std::string::npos) << table[2];
    EXPECT_NE(table[3].find("        no ignition        no ignition         -"), std::string::npos) << table[3];
    EXPECT_EQ(table[3].find("E-01"), std::string::npos);  // the end time is no delay
    for (const auto& line : table) EXPECT_EQ(line.size(), table[0].size()) << line;
}

}  // namespace
}  // namespace vantor
