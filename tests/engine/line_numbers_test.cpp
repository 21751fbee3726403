#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/common/line_numbers.h"

namespace vantor::engine {
namespace {

struct Parsed {
    LineNumbers numbers;
    std::vector<double> values;
};

Parsed Parse(const std::string& line, int startColumn, int maxCount = 100) {
    Parsed p;
    p.numbers = ParseLineNumbers(LeftJustify(line), startColumn, maxCount, p.values);
    p.values.resize(static_cast<size_t>(p.numbers.count));
    return p;
}

TEST(ParseLineNumbers, CountsNumbersByTheirLastCharacter) {
    EXPECT_EQ(Parse("INI SP IDX  1 5 12", 12).values, (std::vector<double>{1, 5, 12}));
    EXPECT_EQ(Parse("K 53", 3).values, (std::vector<double>{53}));  // the label "K" is not counted
    EXPECT_EQ(Parse("   1   2    3   ", 1).values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Parse("", 1).numbers.count, 0);
    EXPECT_EQ(Parse("      ", 1).numbers.count, 0);
    // Before the start column a number counts only when it ends with a point; the last item
    // always counts. Here "12345678" and "9" end with digits before column 12: one number.
    EXPECT_EQ(Parse("12345678 9 10", 12).values, (std::vector<double>{10}));
    // "1234567." ends with a point and is counted, but is not there from column 12 on.
    const Parsed missing = Parse("1234567. 9 10", 12);
    EXPECT_EQ(missing.numbers.error, NumberError::MissingNumber);
    EXPECT_EQ(missing.values, (std::vector<double>{10}));
}

TEST(ParseLineNumbers, TakesAtMostTheMaximumAndChecksWhatItReads) {
    EXPECT_EQ(Parse("1 2 3 4 5", 1, 3).values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Parse("1 2 3 x y", 1, 3).numbers.error, NumberError::None);  // items beyond the maximum are not read
    const Parsed text = Parse("1 abc 3", 1);
    EXPECT_EQ(text.numbers.error, NumberError::NotANumber);
    EXPECT_EQ(text.numbers.errorColumn, 3);
    EXPECT_EQ(text.numbers.errorItem, "abc");
    EXPECT_EQ(Parse("1 2,5 3", 1).numbers.error, NumberError::NotANumber);
}

TEST(ParseFreeFormatReal, AcceptsTheFortranFormsOnly) {
    const std::vector<std::pair<std::string, double>> good = {
        {"1", 1.0},        {"-2.5", -2.5},        {"+.5", 0.5},           {"1.", 1.0},
        {"1.5E+03", 1500}, {"1.5e3", 1500},       {"2.0D-02", 0.02},      {"2.0d2", 200.0},
        {"0.5-100", 5e-101}, {"1e-400", 0.0}};
    for (const auto& [text, expected] : good) {
        double v = 7.0;
        EXPECT_TRUE(ParseFreeFormatReal(text, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const std::string bad : {"", ".", "+", "-.", "1.2.3", "abc", "1e", "1e+", "E5", "0x10", "inf", "nan",
                                  "1e400", "1,5", "1-", "--1", "1.0E5x", "1 0"}) {
        double v = 7.0;
        EXPECT_FALSE(ParseFreeFormatReal(bad, v)) << bad;
    }
}

TEST(ToInteger, IsTheIntegerPartOfTheValuePlusATenth) {
    EXPECT_EQ(ToInteger(2.95), 3);
    EXPECT_EQ(ToInteger(2.85), 2);
    EXPECT_EQ(ToInteger(-1.0), 0);  // -0.9 truncates toward zero
    EXPECT_EQ(ToInteger(-2.0), -1);
    EXPECT_EQ(ToInteger(1e300), 2147483647);
    EXPECT_EQ(ToInteger(-1e300), -2147483647 - 1);
}

}  // namespace
}  // namespace vantor::engine
