// The mixture wizard's arithmetic.

#include <gtest/gtest.h>

#include "app/core/mechanism/mixture_wizard.h"

using namespace vantor;

namespace {

std::vector<std::string> Lines(const MixtureWizardInput& input) {
    const auto lines = BuildMixtureLines(input, CNumberParser());
    return lines.value_or(std::vector<std::string>{"<unchanged>"});
}

}  // namespace

TEST(MixtureWizard, MethaneInAirAtThreeRatios) {
    MixtureWizardInput in;
    in.fuelLines = {"CH4 1"};
    in.ratioLines = {"0.5", "1.0", "1.5"};
    EXPECT_EQ(Lines(in), (std::vector<std::string>{"CH4 1.00, O2 4.00, N2 15.04", "CH4 1.00, O2 2.00, N2 7.52",
                                                    "CH4 1.00, O2 1.33, N2 5.01"}));
}

TEST(MixtureWizard, TwoComponentFuelWithPureOxygen) {
    MixtureWizardInput in;
    in.fuelLines = {"H2 0.5", "  CO   0.5  "};
    in.ratioLines = {"1.0"};
    in.pureOxygen = true;
    EXPECT_EQ(Lines(in), std::vector<std::string>{"H2 0.50, CO 0.50, O2 0.50"});
    in.lowerCaseNames = true;
    in.pureOxygen = false;
    in.decimalSeparator = ',';
    EXPECT_EQ(Lines(in), std::vector<std::string>{"H2 0,50, CO 0,50, o2 0,50, n2 1,88"});
}

TEST(MixtureWizard, OxygenDemandCountsOnlyCarbonHydrogenOxygen) {
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("CH4"), 2.0);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("ch4"), 2.0);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("NC7H16"), 11.0);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("C2H5OH"), 3.0);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("NH3"), 0.75);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("He"), 0.25);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("AR"), 0.0);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("O2"), -1.0);
    EXPECT_DOUBLE_EQ(OxygenDemandPerMole("C12H26"), 18.5);
}

TEST(MixtureWizard, UnparsableLinesAreSkipped) {
    MixtureWizardInput in;
    in.fuelLines = {"CH4", "XX abc", "CH4 1 2", "", "C3H8 1"};
    in.ratioLines = {"one", "", "0", "-1", "2"};
    EXPECT_EQ(Lines(in), std::vector<std::string>{"C3H8 1.00, O2 2.50, N2 9.40"});

    in.fuelLines = {"CH4", "H2 x"};
    EXPECT_TRUE(Lines(in).empty());  // the mixtures are cleared, nothing written

    in.fuelLines.clear();
    EXPECT_EQ(Lines(in), std::vector<std::string>{"<unchanged>"});
}

TEST(MixtureWizard, AddToFuelNeedsANumericAmount) {
    EXPECT_EQ(FuelLine("CH4", "1.0", CNumberParser()), "CH4 1.0");
    EXPECT_FALSE(FuelLine("CH4", "one", CNumberParser()).has_value());
}

TEST(MixtureWizard, FirstOxygenSpeciesDecidesTheNameCase) {
    auto n = DetectOxidizerNaming({"h2", "o2", "O2"}, false);
    EXPECT_TRUE(n.lowerCase);
    EXPECT_EQ(n.airCaption, "air");
    EXPECT_EQ(n.oxygenCaption, "o2");
    n = DetectOxidizerNaming({"H2", "O2"}, true);
    EXPECT_FALSE(n.lowerCase);
    EXPECT_EQ(n.airCaption, "AIR");
    n = DetectOxidizerNaming({"H2", "N2"}, true);
    EXPECT_TRUE(n.lowerCase);
    EXPECT_TRUE(n.oxygenCaption.empty());
}
