#include <gtest/gtest.h>

#include "cli_runner.h"
#include "outside/psr/psr_data.h"
#include "psr/psr_test_support.h"

namespace vantor::psr {
namespace {

TEST(PsrCli, OneLinePerEquivalenceRatioAndTheExitStatusSaysWhetherAllWereFound) {
    const std::string bin = testing::HydrogenBinary();
    const std::string save = (testing::TestFolder() / "cli.psr").string();
    auto r = vantor::test::RunCli("psr " + bin + " --P 1 --T 300 --X \"H2 2, O2 1, N2 3.76\" --phi-list 0.5,1 --save " +
                                  save);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("case 1  phi 0.5  tau_ext "), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("case 2  phi 1  tau_ext 1.5110"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("case 2: extinction at tau = "), std::string::npos) << r.output;  // progress
    const auto cases = ReadStirredReactorSummary(save);
    ASSERT_EQ(cases.size(), 2u);
    EXPECT_DOUBLE_EQ(cases[0].phi, 0.5);

    r = vantor::test::RunCli("psr " + bin + " --P 1 --T 300 --X \"N2 1\"");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("status 7112"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("not flammable"), std::string::npos) << r.output;

    r = vantor::test::RunCli("psr " + bin + " --P 1 --T 300 --X \"H2 2, O2 1\" --phi-list 1,x");
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("\"x\" is not an equivalence ratio"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace vantor::psr
