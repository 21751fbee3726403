// Bad input: every class fails with its own status, a message naming the file, the line, the text
// at fault and what was expected, and no binary is written (an earlier one stays untouched).

#include <gtest/gtest.h>

#include <filesystem>

#include "outside/tolmar/compile_status.h"
#include "outside/tolmar/tolmar.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

constexpr const char* kOldBinary = "an earlier binary";

struct Failure {
    int32_t status = 0;
    std::string listing;
    std::string mechPath, thermPath;
};

// Compiles once over an existing binary (which must survive) and once into an empty folder
// (which must stay without a binary or temporary file).
Failure CompileBad(const std::string& mechanism, const std::string& thermo = SmallThermo()) {
    Failure f;
    {
        TempDir dir;
        f.mechPath = dir.Write("chem.inp", mechanism);
        f.thermPath = dir.Write("therm.dat", thermo);
        const std::string bin = dir.Write("Chem.bin", kOldBinary);
        f.status = CompileMechanismFiles(f.mechPath, f.thermPath, bin, dir.Path("Out.dat"));
        f.listing = ReadFileText(dir.Path("Out.dat"));
        EXPECT_EQ(ReadFileText(bin), kOldBinary);
    }
    TempDir dir;
    const std::string mech = dir.Write("chem.inp", mechanism), therm = dir.Write("therm.dat", thermo);
    EXPECT_EQ(CompileMechanismFiles(mech, therm, dir.Path("Chem.bin"), dir.Path("Out.dat")), f.status);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path(""))) ++files;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("Chem.bin")));
    EXPECT_EQ(files, 3u);  // chem.inp, therm.dat, Out.dat
    return f;
}

// The listing holds an error line naming the file and line, quoting the text, saying what was expected.
void ExpectMessage(const Failure& f, const std::string& file, int line, const std::string& text) {
    const std::string where = file + ", line " + std::to_string(line) + ": ";
    const size_t at = f.listing.find(where);
    ASSERT_NE(at, std::string::npos) << "no message at " << where << "\n" << f.listing;
    const std::string message = f.listing.substr(at, f.listing.find("\r\n", at) - at);
    EXPECT_NE(message.find("\"" + text + "\""), std::string::npos) << message;
    EXPECT_NE(message.find("; expected "), std::string::npos) << message;
    EXPECT_NE(f.listing.find(" ERRORS ("), std::string::npos);
    EXPECT_NE(f.listing.find("no mechanism binary written"), std::string::npos);
}

const std::string kSpecies = "H2 O2 OH H O H2O HO2 N2 AR";

TEST(TolmarRejects, UndeclaredSpeciesInEquationOrAuxiliaryData) {
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\nH+CH4=H2+CH3 1e13 0 0\n"));
    EXPECT_EQ(f.status, kUndeclaredSpecies);
    ExpectMessage(f, f.mechPath, 5, "CH4");
    f = CompileBad(Mechanism(kSpecies, "H+O2+M=HO2+M 1e14 0 0\n  H2O/6/ CH4/2/\n"));
    EXPECT_EQ(f.status, kUndeclaredSpecies);
    ExpectMessage(f, f.mechPath, 5, "CH4");
    f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\n FORD /CH4 1/\n"));
    EXPECT_EQ(f.status, kUndeclaredSpecies);
    ExpectMessage(f, f.mechPath, 5, "CH4");
}

TEST(TolmarRejects, UndeclaredElementInThermoData) {
    const std::string mech = "ELEMENTS H O END\nSPECIES H2 N2 END\nREACTIONS\nEND\n";
    const Failure f = CompileBad(mech);
    EXPECT_EQ(f.status, kUndeclaredElement);
    ExpectMessage(f, f.thermPath, 2 + 4 * 8 + 1, "N");  // the N2 entry's first line
}

TEST(TolmarRejects, ElementWithoutWeight) {
    const Failure f = CompileBad("ELEMENTS H O\n XX END\nSPECIES H2 END\nEND\n");
    EXPECT_EQ(f.status, kUnknownAtomicWeight);
    ExpectMessage(f, f.mechPath, 2, "XX");
}

TEST(TolmarRejects, SpeciesWithoutThermo) {
    const std::string mech = "ELEMENTS H O C END\nSPECIES H2\n   CH4 O2 END\nREACTIONS\nEND\n";
    const Failure f = CompileBad(mech);
    EXPECT_EQ(f.status, kMissingThermo);
    ExpectMessage(f, f.mechPath, 3, "CH4");
    EXPECT_NE(f.listing.find(f.thermPath + " or the THERMO section"), std::string::npos);
}

TEST(TolmarRejects, BadNumbers) {
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1.2x14 0 0\n"));
    EXPECT_EQ(f.status, kBadNumber);
    ExpectMessage(f, f.mechPath, 4, "1.2x14");
    f = CompileBad(Mechanism(kSpecies, "H+O2(+M)=HO2(+M) 1e14 0 0\n LOW /1e20 -1.5 1.0.0/\n"));
    EXPECT_EQ(f.status, kBadNumber);
    ExpectMessage(f, f.mechPath, 5, "1.0.0");
    std::string thermo = SmallThermo();
    const size_t h2 = thermo.find("H2   ");
    const size_t line3 = thermo.find('\n', thermo.find('\n', h2) + 1) + 1;
    thermo.replace(line3, 5, "1.2.3");  // first field of the third line of H2
    f = CompileBad(Mechanism(kSpecies, ""), thermo);
    EXPECT_EQ(f.status, kBadNumber);
    ExpectMessage(f, f.thermPath, 2 + 4 + 3, thermo.substr(line3, 15).substr(0, 15));
}

TEST(TolmarRejects, ElementImbalanceWithIntegerAndRealCoefficients) {
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\nH+O2=OH 1e14 0 0\n"));
    EXPECT_EQ(f.status, kElementImbalance);
    ExpectMessage(f, f.mechPath, 5, "H+O2=OH");
    EXPECT_NE(f.listing.find("element O (reactants 2, products 1)"), std::string::npos);
    f = CompileBad(Mechanism(kSpecies, "H2+0.5O2=>H2O 1e14 0 0\nH2+0.49O2=>H2O 1e14 0 0\n"));
    EXPECT_EQ(f.status, kElementImbalance);
    ExpectMessage(f, f.mechPath, 5, "H2+0.49O2=>H2O");
    EXPECT_EQ(f.listing.find("line 4:"), std::string::npos);  // 0.5 O2 balances
}

TEST(TolmarRejects, ValuesBeyondRangeAfterConversion) {
    const Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e300 0 0\n", "MOLECULES"));
    EXPECT_EQ(f.status, kBadNumber);
    ExpectMessage(f, f.mechPath, 4, "H+O2=O+OH");
}

TEST(TolmarRejects, UndeclaredDuplicates) {
    // the same reaction again
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\nO2+H=OH+O 2e13 0 0\n"));
    EXPECT_EQ(f.status, kUndeclaredDuplicate);
    ExpectMessage(f, f.mechPath, 5, "O2+H=OH+O");
    EXPECT_NE(f.listing.find("repeats reaction 1 (line 4)"), std::string::npos);
    // the reverse direction of a reversible reaction; only one of the pair marked
    f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\nDUP\nO+OH=>H+O2 2e13 0 0\n"));
    EXPECT_EQ(f.status, kUndeclaredDuplicate);
    ExpectMessage(f, f.mechPath, 6, "O+OH=>H+O2");
}

TEST(TolmarRejects, DataTheBinaryCannotHold) {
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\n  CHEB /7 4/\n"));
    EXPECT_EQ(f.status, kUnsupportedFeature);
    ExpectMessage(f, f.mechPath, 5, "CHEB");
    f = CompileBad(Mechanism(kSpecies, "H+O2(+M)=HO2(+M) 1e14 0 0\n LOW /1e20 0 0/\n HIGH /1e10 0 0/\n"));
    EXPECT_EQ(f.status, kSyntaxError);
    ExpectMessage(f, f.mechPath, 6, "HIGH");  // LOW and HIGH together
}

TEST(TolmarRejects, MoreSpeciesThanTheSlotsHold) {
    const std::string species = "H2 O2 OH H O H2O HO2 N2 AR H2O2";
    const Failure f = CompileBad(Mechanism(species, "H+O+OH+HO2=>H2+O2+H2O 1e14 0 0\n"));
    EXPECT_EQ(f.status, kTooManySpecies);
    ExpectMessage(f, f.mechPath, 4, "H+O+OH+HO2=>H2+O2+H2O");
    const Failure four = CompileBad(Mechanism(species, "H+O+OH+HO2=>H2O2+H2O 1e14 0 0\n"));
    EXPECT_EQ(four.status, kTooManySpecies);  // four reactants, although six slots would hold them
    ExpectMessage(four, four.mechPath, 4, "H+O+OH+HO2=>H2O2+H2O");
    const Failure thirteen = CompileBad(
        Mechanism(species + " CO CO2 HE", "H2+O2=>H+O+OH+H2O+HO2+H2O2+N2+AR+CO+CO2+HE 1e14 0 0\n"));
    EXPECT_EQ(thirteen.status, kTooManySpecies);
    ExpectMessage(thirteen, thirteen.mechPath, 4, "H2+O2=>H+O+OH+H2O+HO2+H2O2+N2+AR+CO+CO2+HE");
}

TEST(TolmarRejects, UnknownKeywords) {
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\n  WIBBLE /1 2/\n"));
    EXPECT_EQ(f.status, kUnknownKeyword);
    ExpectMessage(f, f.mechPath, 5, "WIBBLE");
    f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\n", "KCAL/MOLE FURLONGS"));
    EXPECT_EQ(f.status, kUnknownKeyword);
    ExpectMessage(f, f.mechPath, 3, "FURLONGS");
    f = CompileBad("ELEMENTS H O END\nSPECIES H2 END\nMECHANISM\nEND\n");
    EXPECT_EQ(f.status, kUnknownKeyword);
    ExpectMessage(f, f.mechPath, 3, "MECHANISM");
}

TEST(TolmarRejects, TruncatedThermoFile) {
    std::string thermo = SmallThermo();
    // cut the file inside the entry of O2 (the fourth entry), after its second line
    const size_t o2 = thermo.find("O2   ");
    thermo.resize(thermo.find('\n', thermo.find('\n', o2) + 1) + 1);
    const Failure f = CompileBad(Mechanism(kSpecies, ""), thermo);
    EXPECT_EQ(f.status, kTruncatedThermo);
    ExpectMessage(f, f.thermPath, 2 + 3 * 4 + 1, thermo.substr(o2, thermo.find('\n', o2) - o2));
}

TEST(TolmarRejects, ThermoEntryMissingALine) {
    std::string thermo = SmallThermo();
    const size_t o = thermo.find("\nO    ") + 1;
    const size_t line2 = thermo.find('\n', o) + 1;
    thermo.erase(line2, thermo.find('\n', line2) + 1 - line2);  // O loses its second line
    const Failure f = CompileBad(Mechanism(kSpecies, ""), thermo);
    EXPECT_EQ(f.status, kTruncatedThermo);
    EXPECT_NE(f.listing.find(f.thermPath + ", line 11: thermo entry cut short after 1 line"), std::string::npos)
        << f.listing;
}

TEST(TolmarRejects, MalformedStatements) {
    Failure f = CompileBad(Mechanism(kSpecies, "H+O2(+M)=HO2(+M) 1e14 0 0\n TROE /0.5 100 1000/\n"));
    EXPECT_EQ(f.status, kSyntaxError);  // fall-off without LOW
    ExpectMessage(f, f.mechPath, 4, "H+O2(+M)=HO2(+M)");
    f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0\n"));
    EXPECT_EQ(f.status, kSyntaxError);
    ExpectMessage(f, f.mechPath, 4, "H+O2=O+OH 1e14 0");
    f = CompileBad(Mechanism(kSpecies, "H+O2=>O+OH 1e14 0 0\n REV /1e13 0 0/\n"));
    EXPECT_EQ(f.status, kSyntaxError);
    ExpectMessage(f, f.mechPath, 5, "H+O2=>O+OH");
    f = CompileBad(Mechanism(kSpecies, "H+O2(+M)=HO2 1e14 0 0\n LOW /1 0 0/\n"));
    EXPECT_EQ(f.status, kSyntaxError);
    ExpectMessage(f, f.mechPath, 4, "H+O2(+M)=HO2");
    f = CompileBad(Mechanism(kSpecies, "H+O2(+M)=HO2(+M) 1e14 0 0\n LOW /1 0 0/ TROE /1 2/\n"));
    EXPECT_EQ(f.status, kSyntaxError);
    ExpectMessage(f, f.mechPath, 5, "1 2");
}

TEST(TolmarRejects, RateParametersTheRateRoutinesCannotUse) {
    Failure f = CompileBad(
        Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\nHO2=OH+O 1e12 0 1\n PLOG /0.1 1e12 0 1/\n PLOG /1 -2e12 0 1/\n"));
    EXPECT_EQ(f.status, kBadNumber);
    ExpectMessage(f, f.mechPath, 5, "HO2=OH+O");
    EXPECT_NE(f.listing.find("change sign between 0.1 atm (A > 0) and 1 atm (A < 0)"), std::string::npos);
    for (const char* limit : {" LOW /0 0 0/\n", " LOW /-1e16 0 0/\n", " HIGH /0 0 0/\n", " HIGH /-1e10 0 0/\n"}) {
        f = CompileBad(Mechanism(kSpecies, std::string("H+O2(+M)=HO2(+M) 1e14 0 0\n") + limit));
        EXPECT_EQ(f.status, kBadNumber) << limit;
        const std::string values(limit);
        ExpectMessage(f, f.mechPath, 5, values.substr(values.find('/') + 1, values.rfind('/') - values.find('/') - 1));
        EXPECT_EQ(f.listing.find("without LOW"), std::string::npos);
    }
    f = CompileBad(Mechanism(kSpecies, "H+O2=O+OH 1e14 0 0\nOH + HV = OH 1e10 0 0\n"));
    EXPECT_EQ(f.status, kSyntaxError);
    ExpectMessage(f, f.mechPath, 5, "OH+HV=OH");
}

TEST(TolmarRejects, MissingFiles) {
    TempDir dir;
    const std::string bin = dir.Path("Chem.bin"), out = dir.Path("Out.dat");
    EXPECT_EQ(CompileMechanismFiles(dir.Path("absent.inp"), "", bin, out), kFileError);
    EXPECT_NE(ReadFileText(out).find(dir.Path("absent.inp") + ": cannot read the mechanism input file"),
              std::string::npos);
    const std::string mech = dir.Write("chem.inp", Mechanism("H2 O2", ""));
    EXPECT_EQ(CompileMechanismFiles(mech, dir.Path("absent.dat"), bin, out), kFileError);
    EXPECT_NE(ReadFileText(out).find(dir.Path("absent.dat") + ": cannot read the thermo data file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(bin));
}

TEST(TolmarRejects, SeveralErrorsAreAllListedAndTheFirstSetsTheStatus) {
    const Failure f = CompileBad(Mechanism(kSpecies, "H+O2=O+XX 1e14 0 0\nH+O2=O+OH 1e14 0 zz\nH+O2=O 1e14 0 0\n"));
    EXPECT_EQ(f.status, kUndeclaredSpecies);
    EXPECT_NE(f.listing.find(" ERRORS (3)"), std::string::npos) << f.listing;
    EXPECT_NE(f.listing.find("line 5: reaction line without its three rate parameters"), std::string::npos);
    EXPECT_NE(f.listing.find("line 6: reaction does not conserve element"), std::string::npos);
}

}  // namespace
}  // namespace vantor::tolmar::testing
