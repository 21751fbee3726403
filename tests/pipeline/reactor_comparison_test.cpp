// Flame speeds and extinction times side by side: the CMP.dat blocks, the table, and which case
// makes the reduced mechanism fail.

#include <gtest/gtest.h>

#include "app/core/pipeline/reactor_comparison.h"

namespace vantor {
namespace {

ReactorCaseValue Case(int number, double phi, int status, double value) {
    return {number, 1.0, 300.0, phi, status, value, status == 0 ? "converged" : "no convergence"};
}

TEST(ReactorComparison, BlocksTableAndLargestDifference) {
    const std::vector<ReactorCaseValue> detailed{Case(1, 0.8, 0, 25.0), Case(2, 1.0, 0, 40.0)};
    const std::vector<ReactorCaseValue> reduced{Case(1, 0.8, 0, 26.0), Case(2, 1.0, 0, 39.0)};
    const auto lines = ReactorReportLines(ReactorKind::kFlame, detailed, reduced);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\n\r===Flame 1\nP(atm)= 1.000000000000000E+00  Tu(K)= 3.000000000000000E+02  "
                        "Phi= 8.000000000000000E-01");
    EXPECT_EQ(lines[1], "Detailed chemistry: SL(cm/s)= 2.500000000000000E+01\n"
                        "Skeletal chemistry: SL(cm/s)= 2.600000000000000E+01\nDifference(%)= 4.000000000000000E+00");
    const auto table = FormatReactorTable(ReactorKind::kFlame, detailed, reduced);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_NE(table[1].find("25.0000"), std::string::npos) << table[1];
    EXPECT_NE(table[2].find("-2.50"), std::string::npos) << table[2];
    EXPECT_EQ(table[3], "Largest flame-speed difference: 4.00 %");
    int failed = -1;
    EXPECT_DOUBLE_EQ(*LargestReactorDifference(detailed, reduced, failed), 4.0);
    EXPECT_EQ(failed, 0);

    // The reduced stirred reactor does not find extinction in case 2: a failure, named in all three.
    const std::vector<ReactorCaseValue> psrDetailed{Case(1, 1.0, 0, 1e-5), Case(2, 0.8, 0, 2e-5)};
    const std::vector<ReactorCaseValue> psrReduced{Case(1, 1.0, 0, 1.1e-5), Case(2, 0.8, 7102, 0.0)};
    EXPECT_FALSE(LargestReactorDifference(psrDetailed, psrReduced, failed));
    EXPECT_EQ(failed, 2);
    const auto psr = ReactorReportLines(ReactorKind::kStirredReactor, psrDetailed, psrReduced);
    EXPECT_EQ(psr[3], "Detailed chemistry: TauExt(s)= 2.000000000000000E-05\n"
                      "Skeletal chemistry: no value (status 7102: no convergence)");
    const auto psrTable = FormatReactorTable(ReactorKind::kStirredReactor, psrDetailed, psrReduced);
    EXPECT_NE(psrTable[2].find("status 7102"), std::string::npos) << psrTable[2];
    EXPECT_NE(psrTable[2].find("fails"), std::string::npos) << psrTable[2];
    EXPECT_EQ(psrTable.back(), "Largest extinction-time difference: the reduced mechanism fails: case 2");

    // Neither mechanism burning a case is no failure; a case missing on one side is.
    EXPECT_DOUBLE_EQ(*LargestReactorDifference({Case(1, 1, 0, 10), Case(2, 3, 7002, 0)},
                                               {Case(1, 1, 0, 11), Case(2, 3, 7002, 0)}, failed), 10.0);
    EXPECT_FALSE(LargestReactorDifference(detailed, {reduced[0]}, failed));
    EXPECT_EQ(failed, 2);
}

}  // namespace
}  // namespace vantor
