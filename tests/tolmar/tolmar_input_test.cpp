// How the input is read: sections and their keywords, comments and continuation lines, repeated
// declarations, the sources of thermo data and their precedence, the fixed thermo columns.

#include <gtest/gtest.h>

#include "outside/tolmar/fortran_number.h"
#include "outside/tolmar/source_text.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

bool HasWarning(const CompileOutput& out, const std::string& text) {
    for (const std::string& w : out.diagnostics.Warnings())
        if (w.find(text) != std::string::npos) return true;
    return false;
}

TEST(TolmarInput, FortranNumbers) {
    const std::pair<const char*, double> good[] = {
        {"1", 1},           {".00", 0},     {"-.6707", -0.6707},     {"1.0D+10", 1e10},
        {"2.5d-3", 2.5e-3}, {"+3.E2", 300}, {"11.26E+18", 11.26e18}, {"1e-400", 0}};
    for (const auto& [text, value] : good) {
        double v = -1;
        EXPECT_TRUE(ParseNumber(text, v)) << text;
        EXPECT_EQ(v, value) << text;
    }
    for (const char* bad : {"", "+", ".", "1e", "1.0.0", "1x", "inf", "nan", "1e400", "0x10", "1,5", " 1"}) {
        double v = 0;
        EXPECT_FALSE(ParseNumber(bad, v)) << bad;
    }
}

TEST(TolmarInput, LinesWithLfOrCrLf) {
    const auto lines = SplitLines("A\r\nB\nC\r\n\nD");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].text, "A");
    EXPECT_EQ(lines[2].text, "C");
    EXPECT_EQ(lines[3].text, "");
    EXPECT_EQ(lines[4].text, "D");
    EXPECT_EQ(lines[4].number, 5);
}

TEST(TolmarInput, ShortKeywordsCommentsAndContinuations) {
    const std::string mech =
        "! a comment line\n"
        "elem H O ! trailing comment\n"
        "  N AR\n"
        "end\n"
        "spec H2 O2 OH H ! more\n"
        "  O H2O HO2 N2 END\n"
        "reac kcal\n"
        "H+O2=O+OH &\n"
        "   3.5e15 -0.4 16.6\n"
        "H2+M=H+H+M 4.5e19 -1.4 104.4 ! dissociation\n"
        "   H2/2.5/ H2O/12/ &\n"
        "   N2/1.0/\n"
        "end\n"
        "TRANSPORT\nH2 1 38.0 2.92 0 0.79 280\nEND\n";
    const CompileOutput out = CompileText(mech);
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.elements, (std::vector<std::string>{"H", "O", "N", "AR"}));
    EXPECT_EQ(im.KK(), 8);
    EXPECT_EQ(im.II(), 2);
    EXPECT_EQ(im.reactions[0].arrhenius[0], 3.5e15);
    EXPECT_NEAR(im.reactions[0].arrhenius[2], 16600 * 4.184e7 / 83145100.0, 1e-9);
    EXPECT_EQ(im.thirdBody.at(2).ints[0], 3);
    EXPECT_EQ(out.mechanism.reactions[0].line, 8);
}

TEST(TolmarInput, RepeatedDeclarationsKeepTheFirstWithAWarning) {
    const CompileOutput out = CompileText("ELEMENTS H O O END\nSPECIES H2 O2 H2O\nO2 H END\nREACTIONS\nEND\n");
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.elements, (std::vector<std::string>{"H", "O"}));
    ASSERT_EQ(im.KK(), 4);
    EXPECT_EQ(im.species[3].name, "H");
    EXPECT_TRUE(HasWarning(out, "mech.inp, line 3: species O2 declared again; the first declaration is kept"));
    EXPECT_TRUE(HasWarning(out, "element O declared again"));
}

TEST(TolmarInput, IsotopeWeightsAndBuiltInWeights) {
    const CompileOutput out = CompileText("ELEMENTS D /2.014/ H E END\nSPECIES D2 E END\nREACTIONS\nEND\n");
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.atomicWeights, (std::vector<double>{2.014, 1.008, 5.48579909e-4}));
    EXPECT_EQ(im.species[0].weight, 2 * 2.014);
    EXPECT_EQ(im.species[1].weight, 5.48579909e-4);
    EXPECT_EQ(im.II(), 0);  // nothing after the species record
}

TEST(TolmarInput, ThermoFromTheMechanismOverridesTheFile) {
    const std::string own = ThermoEntry("H2", {{"H", 2}}, 250.0, 4000.0, 1200.0, 7.0);
    const CompileOutput out =
        CompileText("ELEM H O END\nSPEC H2 O2 END\nTHERMO\n" + own + "END\nREACTIONS\nEND\n", SmallThermo());
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.species[0].temperatures, (std::array<double, 3>{250.0, 1200.0, 4000.0}));
    EXPECT_EQ(im.species[0].high[0], 7.01);
    EXPECT_EQ(im.species[0].low[6], 7.17);
    EXPECT_EQ(im.species[1].temperatures, (std::array<double, 3>{300.0, 1000.0, 5000.0}));
    EXPECT_TRUE(out.thermoFileUsed);
    EXPECT_TRUE(HasWarning(
        out, "therm.dat, line 7: another thermo entry of H2 ignored; the entry of mech.inp, line 4 is kept"));
}

TEST(TolmarInput, ThermoAllNeedsNoFile) {
    const std::string mech = "ELEM H END\nSPEC H2 H END\nTHERMO ALL\n   300.0 1000.0 5000.0\n" +
                             ThermoEntry("H2", {{"H", 2}}) + ThermoEntry("H", {{"H", 1}}) +
                             "END\nREAC\nH2=H+H 1e14 0 1e5\nEND\n";
    CompileOutput out;
    CompileMechanism({mech, "mech.inp", std::nullopt, "therm.dat"}, out);
    EXPECT_EQ(out.Status(), 0) << Errors(out);
    EXPECT_FALSE(out.thermoFileUsed);
}

TEST(TolmarInput, ThermoFileCommonTemperatureAndDefaults) {
    // blank common temperature takes the file's default (second value of the temperature line)
    std::string entry = ThermoEntry("H2", {{"H", 2}}, 300.0, 5000.0, 1000.0, 1.0);
    entry.replace(65, 8, "        ");
    const std::string thermo = "THERMO\n 300.0 1350.0 5000.0\n" + entry + "END\n";
    const BinaryImage im = Image(CompileText("ELEM H END\nSPEC H2 END\nEND\n", thermo));
    EXPECT_EQ(im.species[0].temperatures, (std::array<double, 3>{300.0, 1350.0, 5000.0}));
}

TEST(TolmarInput, ThermoDataEndsAtEndOrEndOfData) {
    for (const char* end : {"END\n", "ENDOFDATA\n", "END\r\n"}) {
        const std::string thermo = "THERMO\r\n 300 1000 5000\r\n" + ThermoEntry("H2", {{"H", 2}}) + end +
                                   "garbage that is not an entry\n" + ThermoEntry("H2", {{"H", 3}});
        const CompileOutput out = CompileText("ELEM H END\nSPEC H2 END\nEND\n", thermo);
        const BinaryImage im = Image(out);
        EXPECT_EQ(im.species[0].composition, (std::vector<int32_t>{2})) << end;
        EXPECT_EQ(out.diagnostics.WarningCount(), 1u) << end;  // the mechanism has no REACTIONS section
    }
    // trailing text that is no entry ends the data with a warning
    const CompileOutput out =
        CompileText("ELEM H END\nSPEC H2 END\nEND\n", ThermoEntry("H2", {{"H", 2}}) + "data set finished\n");
    EXPECT_EQ(out.Status(), 0) << Errors(out);
    EXPECT_TRUE(HasWarning(out, "thermo data ends at text that is not an entry"));
}

TEST(TolmarInput, RealThermoColumns) {
    // entries as the bundled files write them: short common temperature, "00" fillers, fifth
    // element field, comments between entries, composition of an ion with E -1
    const std::string thermo =
        "THERMO\n   300.000  1000.000  5000.000\n! comment\n"
        "OH                S 9/01O   1H   1    0    0G   200.000  6000.000 1000.        1\n"
        " 2.86472886E+00 1.05650448E-03-2.59082758E-07 3.05218674E-11-1.33195876E-15    2\n"
        " 3.68362875E+03 5.70164073E+00 4.12530561E+00-3.22544939E-03 6.52764691E-06    3\n"
        "-5.79853643E-09 2.06237379E-12 3.34630913E+03-6.90432960E-01 4.51532273E+03    4\n"
        "HCO+              J12/70H   1C   1O   1E  -1G   300.000  5000.000 1390.00     01\n"
        " 3.60741650E+00 3.39655130E-03-1.20330870E-06 1.88628410E-10-1.09866550E-14    2\n"
        " 9.89131960E+04 3.09318060E+00 2.48352570E+00 8.60829950E-03-1.06935120E-05    3\n"
        " 7.92911120E-09-2.73434610E-12 9.92087050E+04 8.80285530E+00                   4\n"
        "C2H5OH            L 8/88C   2H   6O   1    0G   200.000  3500.000 1000.000    1\n"
        " 6.56243650E+00 1.52042222E-02-5.38967795E-06 8.62250011E-10-5.12897875E-14    2\n"
        "-3.15256210E+04-9.47302438E+00 4.85869570E+00-3.74017726E-03 6.95553810E-05    3\n"
        "-8.86547596E-08 3.51688355E-11-2.99961309E+04 4.80185350E+00                   4\n"
        "END\n";
    const BinaryImage im = Image(CompileText("ELEM H O C E END\nSPEC OH HCO+ C2H5OH END\nEND\n", thermo));
    EXPECT_EQ(im.species[0].temperatures, (std::array<double, 3>{200.0, 1000.0, 6000.0}));
    EXPECT_EQ(im.species[0].composition, (std::vector<int32_t>{1, 1, 0, 0}));
    EXPECT_EQ(im.species[0].high[0], 2.86472886);
    EXPECT_EQ(im.species[0].high[6], 5.70164073);
    EXPECT_EQ(im.species[0].low[0], 4.12530561);
    EXPECT_EQ(im.species[0].low[6], -6.90432960E-01);
    EXPECT_EQ(im.species[1].composition, (std::vector<int32_t>{1, 1, 1, -1}));
    EXPECT_EQ(im.species[1].charge, 1);
    EXPECT_EQ(im.species[1].temperatures[1], 1390.0);
    EXPECT_EQ(im.species[2].composition, (std::vector<int32_t>{6, 1, 2, 0}));
    EXPECT_EQ(im.species[2].phase, 0);
    EXPECT_EQ(im.species[2].fitTemperatureCount, 3);
}

TEST(TolmarInput, EquationsWithBlanks) {
    const std::string species = "H2 O2 OH H O H2O HO2 N2 AR";
    const BinaryImage im = Image(CompileText(Mechanism(species, "H + O2 <=> O + OH   1e14 0 0\n")));
    EXPECT_EQ(im.reactions[0].coefficients, (std::array<int32_t, 6>{-1, -1, 0, 1, 1, 0}));
    EXPECT_EQ(im.reactions[0].speciesCount, 4);
}

}  // namespace
}  // namespace vantor::tolmar::testing
