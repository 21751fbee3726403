// Irregular input as real files write it: each kind is accepted with one warning line naming the
// file, the line and what was assumed; what stays unreadable still fails.

#include <gtest/gtest.h>

#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

size_t CountWarnings(const CompileOutput& out, const std::string& text) {
    size_t n = 0;
    for (const std::string& w : out.diagnostics.Warnings()) n += w.find(text) != std::string::npos;
    return n;
}

// Overwrites columns first.. of line `line` (0-based) of a four-line entry.
std::string Edit(std::string entry, size_t line, size_t first, const std::string& text) {
    size_t start = 0;
    for (size_t n = 0; n < line; ++n) start = entry.find('\n', start) + 1;
    entry.replace(start + first - 1, text.size(), text);
    return entry;
}

const std::string kHeader = "THERMO\n 300.0 1350.0 5000.0\n";

TEST(TolmarIrregular, ByteOrderMarksBeforeTheFirstKeyword) {
    const std::string bom = "\xEF\xBB\xBF";
    const CompileOutput out =
        CompileText(bom + "ELEMENTS H O END\nSPECIES H2 O2 END\nREACTIONS\nEND\n", bom + SmallThermo());
    EXPECT_EQ(Image(out).KK(), 2);
    EXPECT_EQ(CountWarnings(out, "mech.inp, line 1: UTF-8 byte-order mark before the first keyword ignored"), 1u);
    EXPECT_EQ(CountWarnings(out, "therm.dat, line 1: UTF-8 byte-order mark before the first keyword ignored"), 1u);
}

TEST(TolmarIrregular, ThermoFieldsAsRealFilesWriteThem) {
    // H2: counts as reals, blank exponent signs on two lines; O2: common temperature running on
    // into column 74; OH: stray phase letter in the fifth field; H2O: blank common temperature;
    // HO2: trailing zeros in column 74 (no warning); H2O2: a real fifth element.
    std::string h2 = Edit(ThermoEntry("H2", {{"H", 2}}), 0, 25, "H  2.");
    h2 = Edit(Edit(h2, 1, 1, " 0.86900558E 01"), 2, 16, "-0.12345670e 03");
    const std::string thermo =
        kHeader + h2 + Edit(ThermoEntry("O2", {{"O", 2}}, 300, 5000, 1000, 2), 0, 66, "    1000.5") +
        Edit(ThermoEntry("OH", {{"O", 1}, {"H", 1}}, 300, 5000, 1000, 3), 0, 66, "   1000.G") +
        Edit(ThermoEntry("H2O", {{"H", 2}, {"O", 1}}, 300, 5000, 1000, 4), 0, 66, "        ") +
        Edit(ThermoEntry("HO2", {{"H", 1}, {"O", 2}}, 300, 5000, 1000, 5), 0, 66, "  1000.000") +
        Edit(ThermoEntry("H2O2", {{"H", 2}}, 300, 5000, 1000, 6), 0, 74, "O   2") + "END\n";
    const CompileOutput out = CompileText("ELEM H O END\nSPEC H2 O2 OH H2O HO2 H2O2 END\nEND\n", thermo);
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.species[0].composition, (std::vector<int32_t>{2, 0}));
    EXPECT_EQ(im.species[0].high[0], 8.6900558);
    EXPECT_EQ(im.species[0].high[6], -123.4567);
    EXPECT_EQ(im.species[1].temperatures[1], 1000.5);
    EXPECT_EQ(im.species[2].composition, (std::vector<int32_t>{1, 1}));
    EXPECT_EQ(im.species[3].temperatures[1], 1350.0);
    EXPECT_EQ(im.species[4].temperatures[1], 1000.0);
    EXPECT_EQ(im.species[5].composition, (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(CountWarnings(out, "therm.dat, line 3: element count written as a real number (\"H  2.\") read as the "
                                 "whole number 2"),
              1u);
    EXPECT_EQ(CountWarnings(out, "therm.dat, line 4: blank exponent sign in \"0.86900558E 01\" read as +, giving "
                                 "8.6900558; the same on 1 more line"),
              1u);
    EXPECT_EQ(CountWarnings(out, "therm.dat, line 7: common temperature of O2 written over columns 66-75 "
                                 "(\"1000.5\"), read as 1000.5 K"),
              1u);
    EXPECT_EQ(CountWarnings(out, "therm.dat, line 11: fifth element field \"G\" of OH"), 1u);
    EXPECT_EQ(CountWarnings(out, "therm.dat, line 15: blank common temperature of H2O taken as the THERMO line's "
                                 "default 1350 K"),
              1u);
    EXPECT_EQ(out.diagnostics.WarningCount(), 6u);  // and one for the missing REACTIONS section
    // fixed-field counts must still be whole
    const CompileOutput bad =
        CompileText("ELEM H END\nSPEC H2 END\nEND\n", kHeader + Edit(ThermoEntry("H2", {{"H", 2}}), 0, 25, "H 2.5"));
    EXPECT_EQ(bad.Status(), kBadNumber);
    EXPECT_NE(Errors(bad).find("therm.dat, line 3: bad atom count of H for H2 \"H 2.5\""), std::string::npos);
}

TEST(TolmarIrregular, ReactionsAsRealFilesWriteThem) {
    const std::string mech =
        "elements h o n ar end\nspecies h2 o2 oh h o h2o ho2 h2o2 n2 ar end\nreactions\n"
        "h+o2=o+oh 1e14 0 0\n dup\n"
        "o+o+m=o2+m 1e14 0 0\n h2/2.5/ h2o/12 ! efficiencies\n"
        "h2o2+m=oh+oh+m 1e12 0 0\n PLOG /1 2e12 0 0/\n PLOG /10 3e12 0 0/\n"
        "h+o2(+m)=ho2(+m) 1e12 0.6 0\n low/6e20 -1.7 500/\n troe/0.8, 1e-30, 1e30/\n"
        "end\nReferences and notes\n  Smith 1999\n";
    const CompileOutput out = CompileText(mech);
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.II(), 4);
    EXPECT_EQ(im.thirdBody.at(2).reals, (std::vector<double>{2.5, 12}));
    EXPECT_FALSE(im.thirdBody.count(3));  // the pressure table holds the pressure dependence
    EXPECT_GT(im.pressureIndex1[3], 0);
    EXPECT_EQ(im.reactions[2].speciesCount, 2);
    EXPECT_EQ(im.fallOff.at(4).reals[3], 0.8);
    EXPECT_EQ(CountWarnings(out, "mech.inp, line 4: DUPLICATE reaction h+o2=o+oh has no partner"), 1u);
    EXPECT_EQ(CountWarnings(out, "mech.inp, line 7: no closing slash after the last values \"h2o/12\""), 1u);
    EXPECT_EQ(CountWarnings(out, "mech.inp, line 8: PLOG on the +M reaction h2o2+m=oh+oh+m: the rate constants at "
                                 "each pressure are taken as they are and no third body is applied"),
              1u);
    EXPECT_EQ(CountWarnings(out, "mech.inp, line 13: TROE values \"0.8, 1e-30, 1e30\" separated by commas"), 1u);
    EXPECT_EQ(CountWarnings(out, "mech.inp, line 15: text after the END of the REACTIONS section ignored"), 1u);
    EXPECT_EQ(out.diagnostics.WarningCount(), 5u);
    // still errors: a slash with nothing after it, PLOG on a fall-off reaction, text before END
    for (const char* reactions : {"h+o2=o+oh 1e14 0 0\n rev /\n", "h+o2(+m)=ho2(+m) 1 0 0\n low/1 0 0/ plog/1 1 0 0/\n",
                                  "h+o2=o+oh 1e14 0 0\nnot a reaction\n"}) {
        const CompileOutput bad = CompileText(Mechanism("H2 O2 OH H O HO2", reactions));
        EXPECT_NE(bad.Status(), 0) << reactions;
        EXPECT_NE(Errors(bad).find("mech.inp, line 5: "), std::string::npos) << Errors(bad);
    }
}

TEST(TolmarIrregular, EdgeCasesAsTheWidelyUsedReadersTakeThem) {
    const std::string species = "H2 O2 OH H O H2O HO2 H2O2";
    const CompileOutput out = CompileText(Mechanism(
        species,
        "H2O2=>9.743589744E-1H2O2+5.12820512E-2OH 1e10 0 0\n"  // coefficients in exponent form
        "H+O2(+ M ) = HO2(+m) 1e12 0 0\n LOW /1e16 0 0/\n"
        "HO2=OH+O 1e12 0 1\n PLOG /0.1 -1e12 0 1/\n PLOG /1 -2e12 0 1/\n"  // negative at every pressure
        // a duplicate pair fitted as a sum, one member negative at 0.1 atm only
        "H2O2=OH+OH 1e12 0 0\n PLOG /0.1 1e12 0 0/\n PLOG /1 1e12 0 0/\n DUP\n"
        "H2O2=OH+OH 1e12 0 0\n PLOG /0.1 -5e11 0 0/\n PLOG /1 1e12 0 0/\n DUP\n"));
    const BinaryImage im = Image(out);
    EXPECT_EQ(im.realCoefficients.at(1).reals, (std::vector<double>{-1, 0, 0, 0.9743589744, 0.0512820512, 0}));
    EXPECT_EQ(im.fallOff.size(), 1u);
    EXPECT_EQ(out.diagnostics.WarningCount(), 0u);

    // no reactions: compiled, with a warning
    EXPECT_EQ(CountWarnings(CompileText(Mechanism(species, "")), "mech.inp, line 3: the REACTIONS section holds no "
                                                                  "reactions"),
              1u);
    EXPECT_EQ(CountWarnings(CompileText("ELEM H O END\nSPEC H2 END\n"), "mech.inp: no REACTIONS section"), 1u);

    // an element written twice in one entry: the counts add up
    const CompileOutput twice =
        CompileText("ELEM H END\nSPEC H2 END\nREAC\nEND\n", kHeader + ThermoEntry("H2", {{"H", 1}, {"H", 1}}));
    EXPECT_EQ(Image(twice).species[0].composition, (std::vector<int32_t>{2}));
    EXPECT_EQ(CountWarnings(twice, "therm.dat, line 3: element H given twice in the thermo entry of H2; counts added: "
                                   "H 2"),
              1u);
}

}  // namespace
}  // namespace vantor::tolmar::testing
