#include <gtest/gtest.h>

#include <fstream>

#include "outside/psr/psr_data.h"
#include "psr/psr_test_support.h"

namespace vantor::psr {
namespace {

TEST(PsrData, CasesReadBackExactlyAndFaultsNameTheLine) {
    StirredReactorCaseSummary found;
    found.number = 1;
    found.pressureAtm = 1.0;
    found.temperature = 300.0;
    found.phi = 1.0 / 3.0;
    found.extinctionTime = 1.511067286417894e-05;
    found.extinctionTemperature = 1249.8401803007148;
    found.message = "extinction found";
    found.residenceTime = {1.0, 0.1, 1.511067286417894e-05};
    found.branchTemperature = {2387.68525003652, 2300.0, 1249.8401803007148};
    StirredReactorCaseSummary failed;
    failed.number = 2;
    failed.pressureAtm = 2.5;
    failed.temperature = 400.0;
    failed.status = 7112;
    failed.message = "not flammable:\nno burning state";

    const std::string text =
        StirredReactorDataHeader() + StirredReactorCaseBlock(found) + StirredReactorCaseBlock(failed);
    EXPECT_NE(text.find("! Case 1  P= 1.000000000000000E+00 atm  Tin= 3.000000000000000E+02 K  Phi= "
                        "3.333333333333333E-01  Status= 0  TauExt= 1.511067286417894E-05 s  TExt= "
                        "1.249840180300715E+03 K  Points= 3\n! Message: extinction found\n! Columns: tau(s) T(K)\n"),
              std::string::npos)
        << text;
    const auto path = (testing::TestFolder() / "data.txt").string();
    std::ofstream(path) << text;
    std::string error = "unset";
    const auto cases = ReadStirredReactorSummary(path, &error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(cases.size(), 2u);
    EXPECT_EQ(cases[0].number, 1);
    EXPECT_EQ(cases[0].status, 0);
    EXPECT_NEAR(cases[0].phi, 1.0 / 3.0, 1e-15);
    EXPECT_NEAR(cases[0].extinctionTime, found.extinctionTime, 1e-15 * found.extinctionTime);
    EXPECT_EQ(cases[0].points, 3);
    ASSERT_EQ(cases[0].branchTemperature.size(), 3u);
    EXPECT_NEAR(cases[0].branchTemperature[0], 2387.68525003652, 1e-11);
    EXPECT_EQ(cases[0].message, "extinction found");
    EXPECT_EQ(cases[1].status, 7112);
    EXPECT_DOUBLE_EQ(cases[1].pressureAtm, 2.5);
    EXPECT_EQ(cases[1].points, 0);
    EXPECT_EQ(cases[1].message, "not flammable: no burning state");

    // A row short of the count and a row that is no number are named with their line.
    std::string cut = text;
    cut.erase(cut.find("1.511067286417894E-05 1.249840180300715E+03\n"),
              std::string("1.511067286417894E-05 1.249840180300715E+03\n").size());
    std::ofstream(path) << cut;
    EXPECT_EQ(ReadStirredReactorSummary(path, &error).size(), 1u);
    EXPECT_NE(error.find("line 7: case 1 has 2 rows, not 3"), std::string::npos) << error;
    std::ofstream(path) << StirredReactorDataHeader() << StirredReactorCaseBlock(found) << "1.0 hot\n";
    ReadStirredReactorSummary(path, &error);
    EXPECT_NE(error.find("line 8: not a row of two numbers: \"1.0 hot\""), std::string::npos) << error;
    EXPECT_TRUE(ReadStirredReactorSummary((testing::TestFolder() / "absent.txt").string(), &error).empty());
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace vantor::psr
