#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "engine/common/kept_species.h"
#include "engine/common/trimmed_species_file.h"
#include "engine_test_support.h"

namespace vantor::engine {
namespace {

std::vector<int32_t> Range(int32_t from, int32_t to) {
    std::vector<int32_t> v(static_cast<size_t>(to - from + 1));
    std::iota(v.begin(), v.end(), from);
    return v;
}

std::vector<uint8_t> Flags(int32_t NS, const std::vector<int32_t>& kept) {
    std::vector<uint8_t> f(static_cast<size_t>(NS) + 1, 0);
    for (const int32_t k : kept) f[static_cast<size_t>(k)] = 1;
    return f;
}

TEST(ListingRecords, LineRecordWrapsAfterTwentyNumbers) {
    EXPECT_EQ(LineRecord(1, std::vector<int32_t>{}), std::vector<std::string>{"Line  1/21 [   0]:"});
    const auto twenty = LineRecord(7, Range(1, 20));
    ASSERT_EQ(twenty.size(), 1u);
    EXPECT_EQ(twenty[0].size(), 18u + 20 * 5);
    EXPECT_EQ(twenty[0].substr(0, 28), "Line  7/21 [  20]:    1    2");
    EXPECT_EQ(LineRecord(7, Range(1, 21))[1], std::string(18, ' ') + "   21");
    const auto forty = LineRecord(1000, Range(1, 40));
    ASSERT_EQ(forty.size(), 2u);
    EXPECT_EQ(forty[0].substr(0, 18), "Line***/21 [  40]:");
    EXPECT_EQ(forty[1].substr(forty[1].size() - 5), "   40");
}

TEST(ListingRecords, CaseAndAllcasesRecordsHoldEveryNumberOnOneLine) {
    EXPECT_EQ(CaseRecord(2, std::vector<int32_t>{1, 5, 12}), "Case   2    3:    1    5   12");
    EXPECT_EQ(AllcasesRecord(std::vector<int32_t>{3, 4}), "Allcases    2:    3    4");
    EXPECT_EQ(CaseRecord(3, Range(1, 30)).size(), 14u + 30 * 5);
}

TEST(KeptSpecies, PointsJoinIntoCasesAndCasesIntoTheRun) {
    const int32_t NS = 10;
    KeptAtPoint points(NS);
    KeptInCase cases(NS);
    EXPECT_EQ(points.Record(1, Flags(NS, {7, 2})), (std::vector<int32_t>{2, 7}));
    points.Record(2, Flags(NS, {3}));
    points.Record(3, Flags(NS, {9}));  // beyond the points of the case when it is closed
    EXPECT_EQ(cases.Close(2, points, 2), (std::vector<int32_t>{2, 3, 7}));
    // A case closed again joins all its points again; its earlier species stay.
    points.Record(1, Flags(NS, {1}));
    EXPECT_EQ(cases.Close(2, points, 1), (std::vector<int32_t>{1, 2, 3, 7}));
    points.Record(1, Flags(NS, {10}));
    cases.Close(4, points, 1);
    EXPECT_EQ(cases.AllCases(4), (std::vector<int32_t>{1, 2, 3, 7, 10}));
    EXPECT_EQ(cases.AllCases(3), (std::vector<int32_t>{1, 2, 3, 7}));
}

TEST(TrimmedSpeciesFile, TitleLineAndNumberLines) {
    const std::vector<int32_t> kept = Range(1, 33);
    const std::string text = TrimmedSpeciesText(53, TrimmedSpecies(53, kept));
    const std::string title = "NOTE: Original SP#=   53  Trim SP#=   20  Keep SP#=   33";
    EXPECT_EQ(title.size(), 56u);
    EXPECT_EQ(text, title + "\r\n   34   35   36   37   38   39   40   41   42   43   44   45   46   47   48   49"
                            "   50   51   52   53\r\n");
    EXPECT_EQ(TrimmedSpeciesText(5, std::vector<int32_t>{}), "NOTE: Original SP#=    5  Trim SP#=    0  Keep SP#=    5\r\n\r\n");
    EXPECT_EQ(TrimmedSpeciesText(3, TrimmedSpecies(3, std::vector<int32_t>{})),
              "NOTE: Original SP#=    3  Trim SP#=    3  Keep SP#=    0\r\n    1    2    3\r\n");

    const auto lines = testing::Lines(TrimmedSpeciesText(3000, TrimmedSpecies(3000, Range(1, 500))));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), 2000u * 5);
    EXPECT_EQ(lines[2].size(), 500u * 5);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 5), " 3000");
}

TEST(TrimmedSpeciesFile, WritabilityIsCheckedWithoutTouchingAnything) {
    testing::TempDir dir;
    EXPECT_TRUE(CanWriteTrimmedSpeciesFile(dir.Path("SP.TRM")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("SP.TRM")));
    EXPECT_FALSE(CanWriteTrimmedSpeciesFile(dir.Path("missing/SP.TRM")));
    EXPECT_FALSE(CanWriteTrimmedSpeciesFile(dir.Root()));
    EXPECT_FALSE(CanWriteTrimmedSpeciesFile(""));
    testing::WriteFile(dir.Path("old.TRM"), "old\r\n");
    EXPECT_TRUE(CanWriteTrimmedSpeciesFile(dir.Path("old.TRM")));
    if (::geteuid() != 0) {  // permissions do not bind root
        ::chmod(dir.Path("old.TRM").c_str(), 0444);
        EXPECT_FALSE(CanWriteTrimmedSpeciesFile(dir.Path("old.TRM")));
    }
    EXPECT_EQ(testing::ReadFile(dir.Path("old.TRM")), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

}  // namespace
}  // namespace vantor::engine
