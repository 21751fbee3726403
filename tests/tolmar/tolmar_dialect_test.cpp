// Later CHEMKIN dialect features: a reaction's own UNITS line, and element counts beyond column 80
// of a thermo entry's first line.

#include <gtest/gtest.h>

#include "outside/tolmar/listing_writer.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

const std::string kSpecies = "H2 O2 OH H O H2O HO2 H2O2 N2 AR";

// Rate parameters of every kind the units touch (A and E of the reaction, LOW, REV and PLOG);
// "{U}" marks where a reaction's own UNITS line goes.
const std::string kReactions =
    "H+O2+M=HO2+M 2e18 -0.8 1.5\n{U}"
    "H2O2(+M)=OH+OH(+M) 3e14 0 4.8\n LOW/1.2e17 0 4.5/\n{U}"
    "H+O2=O+OH 3.5e15 -0.4 1.6\n REV/1e13 0 0.7/\n{U}"
    "HO2=OH+O 1e12 0 1\n PLOG/0.1 1e12 0 0.9/ PLOG/10 3e12 0.5 2/\n{U}";

std::string WithUnitsLines(const std::string& unitsLine) {
    std::string out = kReactions;
    for (size_t at; (at = out.find("{U}")) != std::string::npos;)
        out.replace(at, 3, unitsLine.empty() ? "" : " " + unitsLine + "\n");
    return out;
}

void ExpectSameParameters(const BinaryImage& a, const BinaryImage& b, const std::string& what) {
    ASSERT_EQ(a.II(), b.II()) << what;
    for (int i = 0; i < a.II(); ++i) EXPECT_EQ(a.reactions[i].arrhenius, b.reactions[i].arrhenius) << what << " " << i;
    EXPECT_EQ(a.fallOff.at(2).reals, b.fallOff.at(2).reals) << what;
    EXPECT_EQ(a.reverse.at(3).reals, b.reverse.at(3).reals) << what;
    EXPECT_EQ(a.pressureTables, b.pressureTables) << what;
}

TEST(TolmarDialect, UnitsLineOfAReactionEqualsTheReactionsLineUnits) {
    const std::pair<const char*, const char*> cases[] = {
        // UNITS keyword, the same units on the REACTIONS line
        {"CAL/MOL", "CAL/MOLE"},        {"KCAL/MOLE", "KCAL/MOLE"}, {"JOULES/MOLE", "JOULES/MOLE"},
        {"KJOULES/MOLE", "KJOULES/MOLE"}, {"KELVIN", "KELVINS"},    {"EVOLTS", "EVOLTS"},
        {"MOLECULES", "MOLECULES"},     {"MOLES", "MOLES"},         {"KCAL/MOLE MOLECULES", "KCAL/MOLE MOLECULES"},
    };
    for (const auto& [keyword, line] : cases) {
        const std::string unitsLine = std::string("UNITS / ") + keyword + " /";
        const CompileOutput given = CompileText(Mechanism(kSpecies, WithUnitsLines(unitsLine)));
        const BinaryImage expected = Image(CompileText(Mechanism(kSpecies, WithUnitsLines(""), line)));
        ExpectSameParameters(Image(given), expected, keyword);
        const std::string listing =
            WriteListing({"mech.inp", "therm.dat", "Chem.bin"}, given.mechanism, given.compiled, given.diagnostics);
        EXPECT_NE(listing.find(" (its UNITS line)"), std::string::npos) << keyword;
    }
    // a dimension the UNITS line leaves open follows the REACTIONS line; MOL undoes MOLECULES
    ExpectSameParameters(Image(CompileText(Mechanism(kSpecies, WithUnitsLines("UNITS /MOLECULES/"), "KCAL/MOLE"))),
                         Image(CompileText(Mechanism(kSpecies, WithUnitsLines(""), "KCAL/MOLE MOLECULES"))), "amount only");
    ExpectSameParameters(Image(CompileText(Mechanism(kSpecies, WithUnitsLines("UNITS/MOL/"), "MOLECULES"))),
                         Image(CompileText(Mechanism(kSpecies, WithUnitsLines("")))), "MOL");
    // only the reaction with the UNITS line changes
    const CompileOutput out =
        CompileText(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 2\n UNITS /KELVINS/ DUP\nH+O2=O+OH 1e14 0 2\n DUP\n"));
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.reactions[0].arrhenius[2], 2.0);
    EXPECT_NEAR(im.reactions[1].arrhenius[2], 2.0 * 4.184e7 / 83145100.0, 1e-12);
    const std::string listing =
        WriteListing({"mech.inp", "therm.dat", "Chem.bin"}, out.mechanism, out.compiled, out.diagnostics);
    EXPECT_NE(listing.find("units KELVINS, MOLES (its UNITS line)"), std::string::npos) << listing;
    // unknown keywords and a dimension given twice fail with file, line and text
    for (const char* bad : {" UNITS /FURLONGS/\n", " UNITS /KCAL/MOLE KELVINS/\n", " UNITS\n"}) {
        const CompileOutput f = CompileText(Mechanism(kSpecies, std::string("H+O2=O+OH 1e14 0 2\n") + bad));
        EXPECT_NE(f.Status(), 0) << bad;
        EXPECT_NE(Errors(f).find("mech.inp, line 5: "), std::string::npos) << Errors(f);
    }
    EXPECT_NE(Errors(CompileText(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 2\n UNITS /FURLONGS/\n")))
                  .find("unknown unit keyword in UNITS \"FURLONGS\""),
              std::string::npos);
}

TEST(TolmarDialect, ElementCountsBeyondColumn80) {
    // soot-size counts only after column 80, and an entry mixing the fixed fields with them
    std::string soot = ThermoEntry("C388H144", {{"C", 0}, {"H", 0}});
    soot.insert(80, "C      388H      144");
    std::string mixed = ThermoEntry("C10H8", {{"H", 8}}, 300, 5000, 1000, 2);
    mixed.insert(80, "C       10  ! naphthalene");
    const std::string thermo = "THERMO\n 300 1000 5000\n" + soot + mixed + "END\n";
    const CompileOutput out = CompileText("ELEM C H END\nSPEC C388H144 C10H8 END\nEND\n", thermo);
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.species[0].composition, (std::vector<int32_t>{388, 144}));
    EXPECT_EQ(im.species[1].composition, (std::vector<int32_t>{10, 8}));
    EXPECT_DOUBLE_EQ(im.species[0].weight, 388 * im.atomicWeights[0] + 144 * im.atomicWeights[1]);
    EXPECT_DOUBLE_EQ(im.species[1].weight, 10 * im.atomicWeights[0] + 8 * im.atomicWeights[1]);
    EXPECT_EQ(out.diagnostics.WarningCount(), 1u);  // the mechanism has no REACTIONS section
    const std::string listing =
        WriteListing({"mech.inp", "therm.dat", "Chem.bin"}, out.mechanism, out.compiled, out.diagnostics);
    EXPECT_NE(listing.find("elements read beyond column 80: C 388 H 144"), std::string::npos) << listing;
    EXPECT_NE(listing.find("elements read beyond column 80: C 10\r\n"), std::string::npos);
    // columns that are no symbol with a whole count fail with file, line and text
    for (const char* extra : {"C      3x8", "      388", "C     38.5", "Q        1"}) {
        std::string entry = ThermoEntry("C388H144", {{"C", 0}});
        entry.insert(80, extra);
        const CompileOutput bad = CompileText("ELEM C H END\nSPEC C388H144 END\nEND\n", "THERMO\n 300 1000 5000\n" + entry);
        EXPECT_NE(bad.Status(), 0) << extra;
        EXPECT_NE(Errors(bad).find("therm.dat, line 3: "), std::string::npos) << Errors(bad);
    }
}

}  // namespace
}  // namespace vantor::tolmar::testing
