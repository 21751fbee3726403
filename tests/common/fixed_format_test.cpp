#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/fixed_format.h"

using namespace vantor;

TEST(FixedFormat, IntegerFieldsRightAlignOrStar) {
    EXPECT_EQ(FormatI(53, 5), "   53");
    EXPECT_EQ(FormatI(-7, 3), " -7");
    EXPECT_EQ(FormatI(1000, 3), "***");
    EXPECT_EQ(FormatI(-100, 3), "***");
    EXPECT_EQ(FormatI(999, 3), "999");
}

TEST(FixedFormat, TextFieldsPadLeftOrCut) {
    EXPECT_EQ(FormatA("CH4", 5), "  CH4");
    EXPECT_EQ(FormatA("LONGNAME", 4), "LONG");
    EXPECT_EQ(FormatA("ABCD", 4), "ABCD");
}

TEST(FixedFormat, E16_6ShowsSixDigitMantissaAndTwoDigitExponent) {
    EXPECT_EQ(FormatE16_6(1.0), "    0.100000E+01");
    EXPECT_EQ(FormatE16_6(0.04), "    0.400000E-01");
    EXPECT_EQ(FormatE16_6(-123456.75), "   -0.123457E+06");
    EXPECT_EQ(FormatE16_6(0.0), "    0.000000E+00");
    EXPECT_EQ(FormatE16_6(9.9999995), "    0.100000E+02");  // rounding carries into the exponent
    EXPECT_EQ(FormatE16_6(1e-5), "    0.100000E-04");
    EXPECT_EQ(FormatE16_6(2.5e-150), "    0.250000-149");
    EXPECT_EQ(FormatE16_6(std::numeric_limits<double>::quiet_NaN()), "             NaN");
}

TEST(FixedFormat, NarrowEFieldIsStars) {
    EXPECT_EQ(FormatE(-1.0, 12, 6), "************");
    EXPECT_EQ(FormatE(1.0, 12, 6), "0.100000E+01");
}

TEST(FixedFormat, FullPrecisionRoundTrips) {
    const double v = 0.1 + 0.2;
    EXPECT_EQ(std::stod(FormatFull(v)), v);
}
