// Reactions as the binary holds them: units, third bodies and fall-off forms, auxiliary data,
// changed orders, real coefficients, pressure tables and the slots of crowded reactions.

#include <gtest/gtest.h>

#include <cmath>

#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

constexpr double kNA = 6.02214076e23;
constexpr double kCalToK = 4.184e7 / 83145100.0;

const std::string kSpecies = "H2 O2 OH H O H2O HO2 H2O2 N2 AR";

BinaryImage Compile(const std::string& reactions, const std::string& units = "",
                    const std::string& species = kSpecies) {
    return Image(CompileText(Mechanism(species, reactions, units)));
}

std::vector<double> Slice(const std::vector<double>& v, size_t from, size_t to) {
    return std::vector<double>(v.begin() + static_cast<std::ptrdiff_t>(from),
                               v.begin() + static_cast<std::ptrdiff_t>(to));
}

TEST(TolmarReactions, EnergyUnitsBecomeActivationTemperatures) {
    const std::string reactions =
        "H+O2=O+OH 1e14 0 2.5\n REV /1e13 0 1.5/\nH2O2(+M)=OH+OH(+M) 1e14 0 3\n LOW /1e17 0 4/\n";
    const struct {
        const char* unit;
        double toCal;
    } cases[] = {{"", 1.0},
                 {"CAL/MOLE", 1.0},
                 {"KCAL/MOLE", 1000.0},
                 {"JOULES/MOLE", 1.0 / 4.184},
                 {"KJOULES/MOLE", 1000.0 / 4.184},
                 {"EVOLTS", 1.602176634e-19 * kNA / 4.184}};
    for (const auto& c : cases) {
        const BinaryImage im = Compile(reactions, c.unit);
        EXPECT_NEAR(im.reactions[0].arrhenius[2], 2.5 * c.toCal * kCalToK, 1e-12 * c.toCal) << c.unit;
        EXPECT_NEAR(im.reverse.at(1).reals[2], 1.5 * c.toCal * kCalToK, 1e-12 * c.toCal) << c.unit;
        EXPECT_NEAR(im.reactions[1].arrhenius[2], 3 * c.toCal * kCalToK, 1e-12 * c.toCal) << c.unit;
        EXPECT_NEAR(im.fallOff.at(2).reals[2], 4 * c.toCal * kCalToK, 1e-12 * c.toCal) << c.unit;
    }
    const BinaryImage kelvins = Compile(reactions, "KELVINS");
    EXPECT_EQ(kelvins.reactions[0].arrhenius[2], 2.5);
    EXPECT_EQ(kelvins.fallOff.at(2).reals[2], 4.0);
    // the keyword may be shortened to four letters
    EXPECT_NEAR(Compile(reactions, "KCAL").reactions[0].arrhenius[2], 2500 * kCalToK, 1e-9);
}

TEST(TolmarReactions, MoleculeUnitsScaleByTheReactionOrder) {
    const BinaryImage im = Compile(
        "H+O2=O+OH 1e-10 0 0\n REV /2e-10 0 0/\n"
        "H+O2+M=HO2+M 1e-30 0 0\n"
        "H2O2(+M)=OH+OH(+M) 1e14 0 0\n LOW /1e-8 0 0/\n"
        "H2+O2=>OH+OH 1e-12 0 0\n FORD /O2 0.5/\n"
        "H+OH(+M)=H2+O(+M) 1e-11 0 0\n HIGH /1e5 0 0/ TROE /0.5 100 1000/\n",
        "MOLECULES");
    EXPECT_DOUBLE_EQ(im.reactions[0].arrhenius[0], 1e-10 * kNA);
    EXPECT_DOUBLE_EQ(im.reverse.at(1).reals[0], 2e-10 * kNA);
    EXPECT_DOUBLE_EQ(im.reactions[1].arrhenius[0], 1e-30 * kNA * kNA);
    EXPECT_DOUBLE_EQ(im.reactions[2].arrhenius[0], 1e14);
    EXPECT_DOUBLE_EQ(im.fallOff.at(3).reals[0], 1e-8 * kNA);
    EXPECT_DOUBLE_EQ(im.reactions[3].arrhenius[0], 1e-12 * std::pow(kNA, 0.5));
    // chemically activated: the reaction's own rate is bimolecular, HIGH one order less; form 3 + 10
    EXPECT_DOUBLE_EQ(im.reactions[4].arrhenius[0], 1e-11 * kNA);
    EXPECT_DOUBLE_EQ(im.fallOff.at(5).reals[0], 1e5);
    EXPECT_EQ(im.fallOff.at(5).ints[0], 13);
}

TEST(TolmarReactions, ThirdBodiesAndFallOffForms) {
    const BinaryImage im = Compile(
        "H+O2+M=HO2+M 1e14 0 0\n"
        "O+O+M=O2+M 1e14 0 0\n H2/2.5/ H2O/12/ AR/0.5/\n"
        "H+O2(+M)=HO2(+M) 1e12 0.6 0\n LOW/6e20 -1.7 500/\n TROE/0.8 1e-30 1e30/\n H2O/11/\n"
        "H2O2(+M)=OH+OH(+M) 3e14 0 48000\n LOW/1.2e17 0 45500/ TROE/0.5 1e-30 1e30 1e10/\n"
        "H+OH(+N2)=H2O(+N2) 1e13 0 0\n LOW/1e20 -1 0/ SRI/0.5 200 1000/\n"
        "H+H(+AR)=H2(+AR) 1e13 0 0\n LOW/1e18 -1 0/ SRI/0.5 200 1000 2 0.1/\n"
        "O+OH(+M)=HO2(+M) 1e13 0 0\n LOW/1e18 -1 0/\n");
    EXPECT_EQ(im.Dim("NTHIRD"), 5);  // +M twice, (+M) three times; (+N2) and (+AR) are not
    EXPECT_EQ(im.Dim("MXTHIRD"), 3);
    EXPECT_EQ(im.Dim("NFALLOFF"), 5);
    EXPECT_EQ(im.thirdBody.at(1).ints, (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(im.thirdBody.at(2).ints,
              (std::vector<int32_t>{3, im.SpeciesIndex("H2"), im.SpeciesIndex("H2O"), im.SpeciesIndex("AR")}));
    EXPECT_EQ(im.thirdBody.at(2).reals, (std::vector<double>{2.5, 12, 0.5}));
    EXPECT_EQ(im.thirdBody.at(3).ints[0], 1);
    EXPECT_FALSE(im.thirdBody.count(5));
    const std::vector<int32_t> troe3{3, 0}, troe4{4, 0}, sriN2{2, im.SpeciesIndex("N2")},
        sriAr{2, im.SpeciesIndex("AR")}, lindemann{1, 0};
    EXPECT_EQ(im.fallOff.at(3).ints, troe3);
    EXPECT_EQ(im.fallOff.at(3).reals, (std::vector<double>{6e20, -1.7, 500 * kCalToK, 0.8, 1e-30, 1e30, 0, 0}));
    EXPECT_EQ(im.fallOff.at(4).ints, troe4);
    EXPECT_EQ(Slice(im.fallOff.at(4).reals, 3, 8), (std::vector<double>{0.5, 1e-30, 1e30, 1e10, 0}));
    EXPECT_EQ(im.fallOff.at(5).ints, sriN2);
    EXPECT_EQ(Slice(im.fallOff.at(5).reals, 3, 8), (std::vector<double>{0.5, 200, 1000, 1, 0}));
    EXPECT_EQ(im.fallOff.at(6).ints, sriAr);
    EXPECT_EQ(Slice(im.fallOff.at(6).reals, 3, 8), (std::vector<double>{0.5, 200, 1000, 2, 0.1}));
    EXPECT_EQ(im.fallOff.at(7).ints, lindemann);
    // the bath species is not a slot
    EXPECT_EQ(im.reactions[4].species[2], 0);
    EXPECT_EQ(im.reactions[4].speciesCount, 3);
}

TEST(TolmarReactions, IdenticalSpeciesShareOneSlot) {
    const BinaryImage im = Compile("OH+OH=O+H2O 1e12 0 0\n2OH=>H2O2 1e12 0 0\nH+H+H2=H2+H2 1e12 0 0\n");
    const int32_t OH = im.SpeciesIndex("OH"), H2 = im.SpeciesIndex("H2"), H = im.SpeciesIndex("H");
    EXPECT_EQ(im.reactions[0].species,
              (std::array<int32_t, 6>{OH, 0, 0, im.SpeciesIndex("O"), im.SpeciesIndex("H2O"), 0}));
    EXPECT_EQ(im.reactions[0].coefficients, (std::array<int32_t, 6>{-2, 0, 0, 1, 1, 0}));
    EXPECT_EQ(im.reactions[0].speciesCount, 3);
    EXPECT_EQ(im.reactions[0].reactantCount, 1);
    EXPECT_EQ(im.reactions[1].coefficients[0], -2);
    EXPECT_EQ(im.reactions[1].speciesCount, -2);
    EXPECT_EQ(im.reactions[2].species, (std::array<int32_t, 6>{H, H2, 0, H2, 0, 0}));
    EXPECT_EQ(im.reactions[2].coefficients, (std::array<int32_t, 6>{-2, -1, 0, 2, 0, 0}));
}

TEST(TolmarReactions, RealCoefficients) {
    const BinaryImage im = Compile(
        "H2+0.5O2=>H2O 1e12 0 0\nH+H=>H2 1e12 0 0\nOH+0.5H2=>0.5H2O+0.5OH+0.5H 1e12 0 0\n  1.0H2O=>OH+H 1e12 0 0\n");
    EXPECT_EQ(im.Dim("NREALNU"), 2);
    EXPECT_EQ(im.reactions[0].coefficients, (std::array<int32_t, 6>{}));
    EXPECT_EQ(im.reactions[0].species[1], im.SpeciesIndex("O2"));
    EXPECT_EQ(im.reactions[0].speciesCount, -3);
    EXPECT_EQ(im.realCoefficients.at(1).reals, (std::vector<double>{-1, -0.5, 0, 1, 0, 0}));
    EXPECT_EQ(im.realCoefficients.at(3).reals, (std::vector<double>{-1, -0.5, 0, 0.5, 0.5, 0.5}));
    EXPECT_FALSE(im.realCoefficients.count(4));  // a whole coefficient written with a point
    EXPECT_EQ(im.reactions[3].coefficients[0], -1);
    EXPECT_EQ(im.coefMin, -1e30);
}

TEST(TolmarReactions, ChangedOrdersCoverEveryReactantAndProduct) {
    const BinaryImage im = Compile(
        "H2+O2=OH+OH 1e12 0 0\n FORD /O2 0.5/ RORD /H2O 0.2/\n"
        "H+O2=>O+OH 1e12 0 0\n FORD /H 1.7/\n");
    EXPECT_EQ(im.Dim("NORDER"), 2);
    EXPECT_EQ(im.Dim("MXORDER"), 4);
    const int32_t H2 = im.SpeciesIndex("H2"), O2 = im.SpeciesIndex("O2"), OH = im.SpeciesIndex("OH"),
                  H2O = im.SpeciesIndex("H2O"), H = im.SpeciesIndex("H");
    EXPECT_EQ(im.orders.at(1).ints, (std::vector<int32_t>{-H2, -O2, OH, H2O}));
    EXPECT_EQ(im.orders.at(1).reals, (std::vector<double>{1, 0.5, 2, 0.2}));
    // irreversible: forward entries only, the rest of the row empty
    EXPECT_EQ(im.orders.at(2).ints, (std::vector<int32_t>{-H, -O2, 0, 0}));
    EXPECT_EQ(im.orders.at(2).reals, (std::vector<double>{1.7, 1, 0, 0}));
}

TEST(TolmarReactions, PressureTablesAreSortedGroupedAndPadded) {
    const BinaryImage im = Compile(
        "H+O2=O+OH 1e12 0 0\n"
        "HO2=OH+O 1e12 0 1\n PLOG /10 3e12 0.5 2/\n PLOG /0.1 1e12 0 1/\n PLOG/1.0 2e12 0 1/\n PLOG /1.0 -5e11 0 3/\n"
        "H2O2=OH+OH 1e12 0 1\n PLOG /1 4e12 0 2/\n",
        "KCAL/MOLE");
    EXPECT_EQ(im.Dim("NSPARE"), 2);
    // reaction 2: pressures 0.1, 1 (two terms), 10 -> 3 groups of 2 = 6 entries = NPMAX
    EXPECT_EQ(im.pressureIndex1, (std::vector<int32_t>{6, 0, 3, 1}));
    EXPECT_EQ(im.pressureIndex2, (std::vector<int32_t>{0, 2, 1}));
    ASSERT_EQ(im.pressureTables.size(), 3u);
    EXPECT_EQ(im.pressureTables[0], std::vector<double>(24, 0.0));
    const double atm = 1013250.0;
    EXPECT_EQ(im.pressureTables[1],
              (std::vector<double>{0.1 * atm, 1e12, 0,   1000, 0.1 * atm, 0,     0, 0,     // padded group
                                   atm,       2e12, 0,   1000, atm,       -5e11, 0, 3000,  // two terms, order kept
                                   10 * atm,  3e12, 0.5, 2000, 10 * atm,  0,     0, 0}));
    EXPECT_EQ(Slice(im.pressureTables[2], 0, 4), (std::vector<double>{atm, 4e12, 0, 2000}));
    EXPECT_EQ(Slice(im.pressureTables[2], 4, 24), std::vector<double>(20, 0.0));
}

TEST(TolmarReactions, NoPressureTableStillWritesEmptyTableRecords) {
    const BinaryImage im = Compile("H+O2=O+OH 1e12 0 0\nH2+O=H+OH 1e12 0 0\n");
    EXPECT_EQ(im.pressureIndex1, (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(im.pressureIndex2, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(im.pressureTables, (std::vector<std::vector<double>>{{}, {}}));
}

TEST(TolmarReactions, ReverseLandauTellerAndOtherAuxiliaryData) {
    const std::string species = kSpecies + " E H2O+";
    const std::string thermo = SmallThermo().substr(0, SmallThermo().size() - 4) +
                               ThermoEntry("H2O+", {{"H", 2}, {"O", 1}, {"E", -1}}) + "END\n";
    const BinaryImage im = Image(CompileText(Mechanism(species,
                                                       "H+O2=O+OH 1e12 0 0\n REV /2e11 0.5 100/ LT /1 2/ RLT /3 4/\n"
                                                       "H2O+E=>H2O++E+E 1e12 0 0\n TDEP/E/ EXCI/2.5/\n"
                                                       "H2O+H=>H2+OH 1e12 0 0\n TDEP /H2O/ HV /300/\n"
                                                       "H2+O=>H+OH 1e12 0 0\n JAN /1 2 3 4 5 6 7 8 9/\n"
                                                       "H2+OH=>H2O+H 1e12 0 0\n FIT1 /1 2 3 4/\n"),
                                             thermo));
    EXPECT_EQ(im.reverse.at(1).reals, (std::vector<double>{2e11, 0.5, 100 * kCalToK}));
    EXPECT_EQ(im.landauTeller.at(1).reals, (std::vector<double>{1, 2}));
    EXPECT_EQ(im.reverseLandauTeller.at(1).reals, (std::vector<double>{3, 4}));
    // the electron's own temperature for TDEP/E/, the gas temperature otherwise
    EXPECT_EQ(im.electronImpact.at(2).ints, (std::vector<int32_t>{2}));
    EXPECT_EQ(im.electronImpact.at(3).ints, (std::vector<int32_t>{1}));
    EXPECT_EQ(im.excitation.at(2).reals, (std::vector<double>{2.5}));
    EXPECT_EQ(im.wavelength.at(3).reals, (std::vector<double>{300}));
    EXPECT_EQ(im.jan.at(4).reals, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(im.fit1.at(5).reals, (std::vector<double>{1, 2, 3, 4}));
    // the ion: charge from the electron count; "H2O++E+E" is H2O+ and two electrons
    const int32_t ion = im.SpeciesIndex("H2O+"), e = im.SpeciesIndex("E");
    EXPECT_EQ(im.species[ion - 1].charge, 1);
    EXPECT_EQ(im.species[e - 1].charge, -1);
    EXPECT_EQ(im.reactions[1].species, (std::array<int32_t, 6>{im.SpeciesIndex("H2O"), e, 0, ion, e, 0}));
    EXPECT_EQ(im.reactions[1].coefficients, (std::array<int32_t, 6>{-1, -1, 0, 1, 2, 0}));
}

TEST(TolmarReactions, CrowdedProductsBorrowFreeSlotsWithOrderEntries) {
    const BinaryImage im = Compile("HO2+H2O2=H2O+O2+H+O 1e12 0 0\n");
    const int32_t HO2 = im.SpeciesIndex("HO2"), H2O2 = im.SpeciesIndex("H2O2"), H2O = im.SpeciesIndex("H2O"),
                  O = im.SpeciesIndex("O"), O2 = im.SpeciesIndex("O2"),
                  H = im.SpeciesIndex("H");
    EXPECT_EQ(im.reactions[0].species, (std::array<int32_t, 6>{HO2, H2O2, O, H2O, O2, H}));
    EXPECT_EQ(im.reactions[0].coefficients, (std::array<int32_t, 6>{-1, -1, 1, 1, 1, 1}));
    EXPECT_EQ(im.reactions[0].speciesCount, 6);
    EXPECT_EQ(im.reactions[0].reactantCount, 2);
    // reversible: the reverse rate takes every product from the order entries
    EXPECT_EQ(im.orders.at(1).ints, (std::vector<int32_t>{-HO2, -H2O2, H2O, O2, H, O}));
    EXPECT_EQ(im.orders.at(1).reals, (std::vector<double>{1, 1, 1, 1, 1, 1}));
}

TEST(TolmarReactions, LumpedReactionTakesSlotsAfterTheSixth) {
    const BinaryImage im = Compile("H2O2+H2+N2=H2O+0.5OH+0.5H+0.5O+0.5H2+N2 1e12 0 0\nH+O2=O+OH 1e14 0 0\n");
    const auto k = [&im](const char* name) { return im.SpeciesIndex(name); };
    EXPECT_EQ(im.Dim("MXSP"), 9);
    EXPECT_EQ(im.reactions[0].species, (std::array<int32_t, 6>{k("H2O2"), k("H2"), k("N2"), k("H2O"), k("OH"), k("H")}));
    EXPECT_EQ(im.reactions[0].laterSpecies, (std::vector<int32_t>{k("O"), k("H2"), k("N2")}));
    EXPECT_EQ(im.reactions[0].laterCoefficients, (std::vector<int32_t>{0, 0, 0}));  // real coefficients instead
    EXPECT_EQ(im.reactions[0].speciesCount, 9);
    EXPECT_EQ(im.realCoefficients.at(1).reals, (std::vector<double>{-1, -1, -1, 1, 0.5, 0.5, 0.5, 0.5, 1}));
    EXPECT_EQ(im.orders.at(1).ints,
              (std::vector<int32_t>{-k("H2O2"), -k("H2"), -k("N2"), k("H2O"), k("OH"), k("H"), k("O"), k("H2"), k("N2")}));
    EXPECT_EQ(im.orders.at(1).reals, (std::vector<double>{1, 1, 1, 1, 0.5, 0.5, 0.5, 0.5, 1}));
    // a reaction of six slots or fewer keeps its placement, the later slots empty
    EXPECT_EQ(im.reactions[1].coefficients, (std::array<int32_t, 6>{-1, -1, 0, 1, 1, 0}));
    EXPECT_EQ(im.reactions[1].laterSpecies, (std::vector<int32_t>{0, 0, 0}));
    EXPECT_TRUE(im.atCleanEnd);
}

}  // namespace
}  // namespace vantor::tolmar::testing
