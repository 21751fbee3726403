// Mechanism input model and reader: species list, counts, captions.

#include <gtest/gtest.h>

#include "app/core/mechanism/mechanism_reader.h"
#include "mechanism_test_support.h"

using namespace vantor;
using namespace vantor::test;

namespace {

std::vector<std::string> Names(const MechanismModel& m) { return m.SpeciesNames(); }

const char* kSmall =
    "ELEMENTS\n"
    "H O N\n"
    "END\n"
    "SPECIES  H2 O2\n"
    "H2\tO2 H  ! N2 only in a comment\n"
    "  O OH\n"
    "END\n"
    "REACTIONS\n"
    "H+O2=O+OH   1.0 0 0\n"
    "!H2+M=H+H+M 1.0 0 0\n"
    "O+H2=H+OH   1.0 0 0 ! trailing = comment\n"
    "END\n";

}  // namespace

TEST(MechanismReader, BundledMechanismsGiveTheirCounts) {
    MechanismModel gri;
    auto r = OpenMechanism(gri, DataFile("gri30/chem.inp"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(gri.DetailedSpeciesCount, 53);
    EXPECT_EQ(gri.DetailedReactionCount, 325);
    EXPECT_EQ(gri.SpeciesTitleCaption, "Detailed(SP#=53,RA#=325)");
    EXPECT_EQ(gri.Species.front().name, "H2");
    EXPECT_EQ(gri.Species.back().name, "CH3CHO");
    EXPECT_EQ(gri.MechanismBinaryPath, DataFile("gri30/chem.bin"));
    EXPECT_EQ(r.workDirectory, DataFile("gri30"));
    EXPECT_TRUE(r.messages.empty());

    MechanismModel h2;
    ASSERT_TRUE(OpenMechanism(h2, DataFile("h2_li/chem.inp")).ok);
    EXPECT_EQ(Names(h2), (std::vector<std::string>{"H2", "O2", "O", "OH", "H2O", "H", "HO2", "H2O2", "N2"}));
}

TEST(MechanismReader, SpeciesDeclaredTwiceAppearOnceAtTheirFirstPosition) {
    MechanismModel nc7;
    auto r = OpenMechanism(nc7, DataFile("nc7_llnl/chem.inp"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(nc7.DetailedSpeciesCount, 631);
    EXPECT_EQ(nc7.DetailedReactionCount, 2827);
    ASSERT_EQ(r.messages.size(), 4u);
    for (const char* name : {"TIC4H7Q2-I", "IIC4H7Q2-T", "IIC4H7Q2-I", "CH2O2H"}) {
        const auto names = Names(nc7);
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
        bool warned = false;
        for (const auto& m : r.messages) warned |= m.rfind("> ", 0) == 0 && m.find(name) != std::string::npos;
        EXPECT_TRUE(warned) << name;
    }
    // The repeated declaration on line 129 adds nothing; the species after it keep consecutive numbers.
    const auto names = Names(nc7);
    const auto first = std::find(names.begin(), names.end(), "CH2O2H");
    const auto next = std::find(names.begin(), names.end(), "C6H101-3");
    EXPECT_LT(first, next);
    EXPECT_NE(r.messages[0].find("line 129"), std::string::npos);
}

TEST(MechanismReader, SpeciesSectionRules) {
    TempDir dir;
    const MechanismModel m = OpenText(dir, kSmall);
    // Names on the keyword line count (as the compiler reads them); tabs separate; a comment hides N2.
    EXPECT_EQ(Names(m), (std::vector<std::string>{"H2", "O2", "H", "O", "OH"}));
    for (const auto& s : m.Species) EXPECT_TRUE(s.checked);
    for (const auto& l : m.MechanismText) EXPECT_TRUE(l.kept);
    EXPECT_EQ(m.MechanismText[4].text, "H2 O2 H  ! N2 only in a comment");
    // The commented reaction does not count, the one with a trailing comment counts once.
    EXPECT_EQ(m.DetailedReactionCount, 2);
}

TEST(MechanismReader, OnlyTheWordEndOrANewSectionClosesTheSpeciesSection) {
    TempDir dir;
    auto m = OpenText(dir, "SPECIES\nH2 O2 ! ends here\nC3H5 XyEnd9 N2\nAR end\nREACTIONS\nH2+O2=OH+OH 1 0 0\nEND\n");
    EXPECT_EQ(Names(m), (std::vector<std::string>{"H2", "O2", "C3H5", "XyEnd9", "N2", "AR"}));
    m = OpenText(dir, "elem h o end ! species follow\nspec H2 O2\nreactions\nH2+O2=OH+OH 1 0 0\nEND\n");
    EXPECT_EQ(Names(m), (std::vector<std::string>{"H2", "O2"}));
}

TEST(MechanismReader, EqualsOutsideTheReactionsCountsAndNoSpeciesSectionGivesEmptyList) {
    TempDir dir;
    const auto m = OpenText(dir, "! header\nTHERMO\nX = 1\nREACTIONS\nA=B 1 0 0\nEND\n");
    EXPECT_EQ(m.DetailedReactionCount, 2);
    EXPECT_TRUE(m.Species.empty());
    EXPECT_EQ(m.SpeciesTitleCaption, "Detailed(SP#=0,RA#=2)");
}

TEST(MechanismReader, CrLfLinesAndReopenClearsEarlierState) {
    TempDir dir;
    auto m = OpenText(dir, "SPECIES\r\nH2 O2\r\nEND\r\nREACTIONS\r\nH2+O2=OH+OH 1 0 0\r\nEND");
    ASSERT_EQ(m.MechanismText.size(), 6u);
    EXPECT_EQ(m.MechanismText[1].text, "H2 O2");
    EXPECT_EQ(m.MechanismText[5].text, "END");
    m.Species[0].checked = false;
    m.MechanismText[4].kept = false;
    m.ReducedText = {"old"};
    m.ReducedInpReady = m.GenerationPending = true;
    m.RemovedSpeciesNames = {"H2"};
    ASSERT_TRUE(OpenMechanism(m, dir.File("chem.inp")).ok);
    EXPECT_TRUE(m.Species[0].checked);
    EXPECT_TRUE(m.MechanismText[4].kept);
    EXPECT_TRUE(m.ReducedText.empty());
    EXPECT_FALSE(m.ReducedInpReady || m.GenerationPending);
    EXPECT_TRUE(m.RemovedSpeciesNames.empty());
}

TEST(MechanismReader, MissingFileIsReportedWithItsPath) {
    TempDir dir;
    MechanismModel m = OpenText(dir, kSmall);
    const auto r = OpenMechanism(m, dir.File("absent.inp"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.rfind("<E> ", 0), 0u);
    EXPECT_NE(r.error.find(dir.File("absent.inp")), std::string::npos);
    EXPECT_TRUE(m.MechanismText.empty());
    EXPECT_EQ(m.DetailedSpeciesCount, 0);
}

TEST(MechanismReader, BinaryPathReplacesTheEndingOrAppendsOne) {
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/Chem.inp"), "/w/Chem.bin");
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/x.INP"), "/w/x.bin");
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/mech.dat"), "/w/mech.bin");
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/m.\xC3\xA9\xC3\xA9"), "/w/m.bin");
    // Names without an ending must not share a binary.
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/mech-FFCM1"), "/w/mech-FFCM1.bin");
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/v1.2/mech"), "/w/v1.2/mech.bin");
    EXPECT_EQ(DeriveMechanismBinaryPath("/w/.mech"), "/w/.mech.bin");
    EXPECT_EQ(DirectoryOf("/a/b/chem.inp"), "/a/b");
    EXPECT_EQ(DirectoryOf("chem.inp"), "");
}
