// Trimming: the trimmed-species reader, the list commands, the reaction map and the exports.

#include <gtest/gtest.h>

#include <regex>

#include "app/core/mechanism/trimming.h"
#include "mechanism_test_support.h"

using namespace vantor;
using namespace vantor::test;

namespace {

// Seven species; reaction 2 carries a third-body line naming AR, reaction 3 is the only user of N2.
const char* kMech =
    "SPECIES\n"
    "H2 O2 H O OH N2 AR\n"
    "END\n"
    "REACTIONS\n"
    "H+O2=O+OH      1 0 0\n"
    "H+H+M=H2+M     1 0 0\n"
    "   AR/0.5/\n"
    "! a comment between reactions\n"
    "O+N2=O+N2      1 0 0\n"
    "DUPLICATE\n"
    "END\n";

std::vector<bool> Marks(const MechanismModel& m) { return m.SpeciesMarks(); }

class Trimming : public ::testing::Test {
protected:
    TempDir dir;
    MechanismModel model = OpenText(dir, kMech);
    int32_t ReadTrim(const std::string& content, std::string* error = nullptr) {
        WriteText(dir.File("SP.TRM"), content);
        model.TrimmedSpeciesPath = dir.File("SP.TRM");
        return ReadTrimmedSpecies(model, error);
    }
};

}  // namespace

TEST_F(Trimming, ReaderRemovesExactlyTheListedNumbers) {
    ASSERT_EQ(ReadTrim("NOTE: Original SP#=7 Kept SP#=3\r\n  2   5\r\n\r\n7 1\r\nnext note\r\n"), 0);
    EXPECT_EQ(Marks(model), (std::vector<bool>{false, false, true, true, false, true, false}));
    EXPECT_EQ(model.RemovedSpeciesNames, (std::vector<std::string>{"O2", "OH", "AR", "H2"}));
    EXPECT_EQ(model.KeptSpeciesCount, 3);
    EXPECT_EQ(model.KeepCaption, "Species Kept:3; Trimmed:4");
}

TEST_F(Trimming, ReaderEdgeListsAllEmptyOutOfRangeAndRepeated) {
    ASSERT_EQ(ReadTrim("1 2 3 4 5 6 7\n"), 0);
    EXPECT_EQ(model.KeepCaption, "Species Kept:0; Trimmed:7");

    ASSERT_EQ(ReadTrim(""), 0);  // every species kept again
    EXPECT_EQ(model.KeptSpeciesCount, 7);
    EXPECT_TRUE(model.RemovedSpeciesNames.empty());

    ASSERT_EQ(ReadTrim("8 0 -1 3 3\n"), 0);
    EXPECT_EQ(model.RemovedSpeciesNames, (std::vector<std::string>{"H", "H"}));
    EXPECT_EQ(model.KeptSpeciesCount, 6);
}

TEST_F(Trimming, ReaderFailuresGiveStatus101) {
    model.Species[1].checked = false;
    model.TrimmedSpeciesPath.clear();
    EXPECT_EQ(ReadTrimmedSpecies(model), kTrimReaderFailed);
    model.TrimmedSpeciesPath = dir.File("missing.TRM");
    std::string error;
    EXPECT_EQ(ReadTrimmedSpecies(model, &error), kTrimReaderFailed);
    EXPECT_NE(error.find("missing.TRM"), std::string::npos);
    EXPECT_FALSE(model.Species[1].checked);  // marks unchanged without a file

    EXPECT_EQ(ReadTrim("2\n3 x4 5\n", &error), kTrimReaderFailed);
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_NE(error.find("'x4'"), std::string::npos);
    // Marks set before the bad token stay; the one after it is not applied.
    EXPECT_EQ(Marks(model), (std::vector<bool>{true, false, false, true, true, true, true}));
    EXPECT_EQ(TrimSpeciesAndReactions(model), "<E> Trmming species error.");
}

TEST_F(Trimming, HandMarksAreResetByTheNextReaderRun) {
    model.Species[0].checked = false;
    UpdateSpeciesCounts(model);
    EXPECT_EQ(model.KeepCaption, "Species Kept:6; Trimmed:1");
    WriteText(dir.File("SP.TRM"), "N\n4\n");
    model.TrimmedSpeciesPath = dir.File("SP.TRM");
    EXPECT_EQ(TrimSpeciesAndReactions(model), "> Species and reactions trimming completed!");
    EXPECT_EQ(Marks(model), (std::vector<bool>{true, true, true, false, true, true, true}));
}

TEST_F(Trimming, NameAndNumberLists) {
    WriteText(dir.File("names.trm"), "OH h2\n  AR   O2\n");
    ASSERT_TRUE(RemoveBySpeciesName(model, dir.File("names.trm")).ok);
    EXPECT_EQ(Marks(model), (std::vector<bool>{true, false, true, true, false, true, false}));
    ASSERT_TRUE(KeepBySpeciesName(model, dir.File("names.trm")).ok);
    EXPECT_EQ(Marks(model), (std::vector<bool>{false, true, false, false, true, false, true}));
    EXPECT_EQ(model.KeepCaption, "Species Kept:3; Trimmed:4");

    WriteText(dir.File("numbers.trm"), "1 3\n9 two 4\n");
    const auto r = KeepBySpeciesNumber(model, dir.File("numbers.trm"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("'two'"), std::string::npos);
    EXPECT_EQ(Marks(model), (std::vector<bool>{true, false, true, false, false, false, false}));

    const auto missing = RemoveBySpeciesName(model, dir.File("none.trm"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(Marks(model), (std::vector<bool>{true, false, true, false, false, false, false}));
}

TEST(SpeciesInLine, WholeTokensOnly) {
    EXPECT_FALSE(SpeciesInLine("H2", "H2O+O=OH+OH"));
    EXPECT_TRUE(SpeciesInLine("H2", "H2O+H2=H+H2O2"));
    EXPECT_FALSE(SpeciesInLine("OH", "2OH=H2O2"));  // a coefficient digit joins the name here
    EXPECT_TRUE(SpeciesInLine("OH", "H2O2=H2O ! OH in the comment"));
    EXPECT_FALSE(SpeciesInLine("C3H6", "NC3H6_X+C3H6-1=A"));
    EXPECT_TRUE(SpeciesInLine("AR", "   AR/0.5/"));
    EXPECT_FALSE(SpeciesInLine("", "H2"));
    // a rejected match is overwritten with '#': a name starting with '#' must still end the search
    EXPECT_FALSE(SpeciesInLine("#A", "#AB+#AC"));
    EXPECT_TRUE(SpeciesInLine("#A", "#AB+#A"));
}

TEST(ReactionMap, CodesAndFileLayout) {
    std::vector<MechanismLine> text;
    for (const char* l : {"SPECIES", "A B", "END", "REACTIONS KCAL/MOLE", "A=B 1 0 0", "  LOW/1 2 3/", "",
                          "! note", "B=A 1 0 0", "END"}) {
        text.push_back({l, true});
    }
    const ReactionMap map = BuildReactionMap(text);
    EXPECT_EQ(map.reactionCount, 2);
    EXPECT_EQ(map.firstReactionLine, 5);
    EXPECT_EQ(map.lastReactionLine, 9);
    EXPECT_EQ(FormatReactionMap(map), "100005\r\n     100006\r\n200009\r\n");
}

TEST(ReactionMap, ACommentNamingEndNeitherHidesAReactionNorEndsTheMap) {
    std::vector<MechanismLine> text;
    for (const char* l : {"SPECIES ! used by the reactions", "A B", "END", "reac", "A=B 1 0 0 ! recommended end",
                          "B=A 1 0 0", "end", "notes: k = 1e13 for A=B"}) {
        text.push_back({l, true});
    }
    const ReactionMap map = BuildReactionMap(text);
    EXPECT_EQ(map.reactionCount, 2);
    EXPECT_EQ(FormatReactionMap(map), "100005\r\n200006\r\n");
}

TEST(ReactionMap, LargeMechanismsMapCorrectlyAndOversizedOnesAreRefused) {
    std::vector<MechanismLine> text{{"REACTIONS", true}};
    for (int i = 0; i < 12000; ++i) text.push_back({i % 2 ? "  LOW/1 2 3/" : "A=B 1 0 0", true});
    const ReactionMap map = BuildReactionMap(text);
    ASSERT_TRUE(map.fits);
    EXPECT_EQ(map.reactionCount, 6000);
    EXPECT_EQ(map.entries.back().Code(), 6000 * 100000 + 12001);
    EXPECT_FALSE(map.entries.back().isReaction);

    text.resize(100000, {"A=B 1 0 0", true});
    EXPECT_FALSE(BuildReactionMap(text).fits);
}

TEST_F(Trimming, RemoveByReactionNumber) {
    WriteText(dir.File("reactions.txt"), "3\n\n0\n  99 extra\n");
    model.TrimmedSpeciesPath = dir.File("reactions.txt");
    const auto r = RemoveByReactionNumber(model, dir.Path());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.confirmation, "Trim Using Reaction # OK!");
    EXPECT_EQ(r.mapReactionCount, 3);
    EXPECT_EQ(r.trimmedReactionCount, 2);  // 99 counts although no reaction has that number
    EXPECT_EQ(model.ReactionTrimCaption, "Reac Kept:1  Trimmed:2");
    EXPECT_FALSE(model.MechanismText[8].kept);  // reaction 3 and its DUPLICATE line
    EXPECT_FALSE(model.MechanismText[9].kept);
    EXPECT_TRUE(model.MechanismText[7].kept);   // the comment before it
    // N2 was used only by reaction 3; AR only on the efficiency line of a kept reaction.
    EXPECT_EQ(Marks(model), (std::vector<bool>{true, true, true, true, true, false, true}));
    EXPECT_EQ(ReadText(dir.File("Reac_SP_Map.Txt")), "100005\r\n200006\r\n     200007\r\n300009\r\n     300010\r\n");
}

TEST_F(Trimming, RemoveByReactionNumberRefusesABadListAndKeepsTheMarks) {
    WriteText(dir.File("reactions.txt"), "1\nabc\n");
    model.TrimmedSpeciesPath = dir.File("reactions.txt");
    const auto r = RemoveByReactionNumber(model, dir.Path());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("line 2"), std::string::npos);
    for (const auto& l : model.MechanismText) EXPECT_TRUE(l.kept);

    model.TrimmedSpeciesPath.clear();
    const auto nothing = RemoveByReactionNumber(model, dir.Path());
    EXPECT_TRUE(nothing.ok);
    EXPECT_TRUE(nothing.confirmation.empty());
}

TEST_F(Trimming, ExportsListEverySpeciesOnceUnderADatedHeader) {
    model.Species[2].checked = model.Species[6].checked = false;
    ASSERT_TRUE(ExportKeptSpecies(model, dir.File("kept.txt"), "2024-01-02 03:04:05"));
    ASSERT_TRUE(ExportTrimmedSpecies(model, dir.File("trimmed.txt"), "2024-01-02 03:04:05"));
    EXPECT_EQ(ReadText(dir.File("kept.txt")),
              "===Kept species list created by Pruvex 2024-01-02 03:04:05\r\nH2\r\nO2\r\nO\r\nOH\r\nN2\r\n");
    EXPECT_EQ(ReadText(dir.File("trimmed.txt")),
              "===Deleted species list created by Pruvex 2024-01-02 03:04:05\r\nH\r\nAR\r\n");
    std::string error;
    EXPECT_FALSE(ExportKeptSpecies(model, dir.File("no/such/kept.txt"), "x", &error));
    EXPECT_FALSE(error.empty());
}
