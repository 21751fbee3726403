// Reduced mechanism writer: header, species block, reaction classification, efficiency clean-up,
// the stored file and the task-5 entry.

#include <gtest/gtest.h>

#include <thread>

#include "app/core/mechanism/reduced_restore.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/mechanism/trimming.h"
#include "common/entry_abi.h"
#include "mechanism_test_support.h"

using namespace vantor;
using namespace vantor::test;

namespace {

const std::string kRule = "!" + std::string(65, '-');
const std::string P = kRemovedLinePrefix;

const std::vector<std::string> kMech = {
    "! test mechanism",
    "ELEMENTS",
    "H O C N AR",
    "END",
    "SPECIES  ! all of them",
    "H2 O2 H O OH",
    "H2O HO2 H2O2 CO CO2",
    "CH2 CH2(S) CH3 CH4 N2",
    "AR",
    "END",
    "REACTIONS  KCAL/MOLE",
    "2O+M<=>O2+M       1.2E+17 -1.0 0.0",
    "H2/2.4/ H2O/15.4/ CO/1.75/ AR/0.83/",
    "O+H2=H+H2O   1 0 0  ! was OH",
    "",
    "2OH(+M)<=>H2O2(+M)   1 0 0",
    "  LOW / 2.3E+18 -0.9 -1700.0 /",
    "  TROE / 0.7346 94.0 1756.0 5182.0 /",
    "  H2O/6.0/ CO/1.5/",
    "H2+OH=H2O+H       1 0 0",
    "CH3+H(+M)<=>CH4(+M)  1 0 0",
    "  LOW / 1 2 3 /",
    "CH2(S)+N2<=>CH2+N2    1 0 0",
    "CH2(S)+H2<=>CH3+H    1 0 0",
    "HO2+H=H2+O2     1 0 0",
    "DUPLICATE",
    "HO2+H=H2+O2     2 0 0",
    "DUPLICATE",
    "CH4+H=CH3+H2    1 0 0",
    "DUPLICATE",
    "CH4+H=CH3+H2    2 0 0",
    "DUPLICATE",
    "END",
    "THERMO",
    "! after the reactions, not interpreted",
    "END",
};

std::string Joined(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string text;
    for (const auto& l : lines) text += l + end;
    return text;
}

ReducedHeaderSettings OneCaseSettings() {
    ReducedHeaderSettings s;
    s.pressures = {1.0};
    s.temperatures = {1000.0};
    s.mixtureLines = {"CH4 1, O2 2"};
    s.threshold = 0.04;
    s.heatKeptRatio = 0.0;
    s.timestamp = "2024-05-06 07:08:09";
    return s;
}

class ReducedWriter : public ::testing::Test {
protected:
    TempDir dir;
    MechanismModel model = OpenText(dir, Joined(kMech));

    ReducedWriterJob Job(const std::string& trim) {
        WriteText(dir.File("SP.TRM"), trim);
        return {model, OneCaseSettings(), dir.File("SP.TRM"), dir.Path()};
    }
    ReducedWriterOutcome Build(const std::string& trim) {
        auto job = Job(trim);
        return BuildReducedMechanism(job);
    }
};

}  // namespace

TEST_F(ReducedWriter, NothingRemovedChangesOnlyHeaderAndSpeciesBlock) {
    const auto out = Build("NOTE: Original SP#=16\r\n");
    ASSERT_EQ(out.status, 0);
    std::vector<std::string> expected = {kRule, "!Chemistry reduced by PFA @2024-05-06 07:08:09",
                                         "!P=1.0000atm;T=1000.0000K;Mix=CH4 1, O2 2;THD=0.0400;HHR=0.0000",
                                         "!Detailed SP#=16,RA#=11=>Reduced SP#=16;RA#=11", kRule};
    for (size_t i = 0; i < kMech.size(); ++i) {
        if (i == 4) {
            expected.insert(expected.end(), {"SPECIES", "  H2 O2 H O OH", "  H2O HO2 H2O2 CO CO2",
                                             "  CH2 CH2(S) CH3 CH4 N2", "  AR"});
        } else if (i < 5 || i > 8) {
            expected.push_back(kMech[i]);
        }
    }
    EXPECT_EQ(out.reducedText, expected);
}

TEST_F(ReducedWriter, RemovedSpeciesTakeTheirReactionsAndAuxiliaryLines) {
    // OH, HO2, CO and CH2 removed.
    const auto out = Build("NOTE: Original SP#=16\n 5 7\n9   11\n");
    ASSERT_EQ(out.status, 0);
    const std::vector<std::string> expected = {
        kRule,
        "!Chemistry reduced by PFA @2024-05-06 07:08:09",
        "!P=1.0000atm;T=1000.0000K;Mix=CH4 1, O2 2;THD=0.0400;HHR=0.0000",
        "!Detailed SP#=16,RA#=11=>Reduced SP#=12;RA#=6",
        kRule,
        "! test mechanism",
        "ELEMENTS",
        "H O C N AR",
        "END",
        "SPECIES",
        P + " OH HO2 CO CH2",
        "  H2 O2 H O H2O",
        "  H2O2 CO2 CH2(S) CH3 CH4",
        "  N2 AR",
        "END",
        "REACTIONS  KCAL/MOLE",
        "2O+M<=>O2+M       1.2E+17 -1.0 0.0",
        P + "H2/2.4/ H2O/15.4/ CO/1.75/ AR/0.83/\r\nH2/2.4/ H2O/15.4/          AR/0.83/",
        "O+H2=H+H2O   1 0 0  ! was OH",
        "",
        P + "2OH(+M)<=>H2O2(+M)   1 0 0",
        P + "  LOW / 2.3E+18 -0.9 -1700.0 /",
        P + "  TROE / 0.7346 94.0 1756.0 5182.0 /",
        P + "  H2O/6.0/ CO/1.5/",
        P + "H2+OH=H2O+H       1 0 0",
        "CH3+H(+M)<=>CH4(+M)  1 0 0",
        "  LOW / 1 2 3 /",
        P + "CH2(S)+N2<=>CH2+N2    1 0 0",
        "CH2(S)+H2<=>CH3+H    1 0 0",
        P + "HO2+H=H2+O2     1 0 0",
        P + "DUPLICATE",
        P + "HO2+H=H2+O2     2 0 0",
        P + "DUPLICATE",
        "CH4+H=CH3+H2    1 0 0",
        "DUPLICATE",
        "CH4+H=CH3+H2    2 0 0",
        "DUPLICATE",
        "END",
        "THERMO",
        "! after the reactions, not interpreted",
        "END",
    };
    EXPECT_EQ(out.reducedText, expected);
    EXPECT_EQ(out.removedReactionCount, 5);  // reaction lines only, never auxiliary ones
    EXPECT_EQ(out.reducedCountsCaption, "Reduced Chemistry (SP#=12, RA#=6)");
}

// Keywords count only where they begin a line: comments naming "reactions" or "end" and
// lower-case keywords are read as the compiler reads them.
TEST(ReducedWriterKeywords, CommentsNeitherOpenNorCloseSectionsAndUnitsStay) {
    TempDir dir;
    const MechanismModel model = OpenText(dir, Joined({
        "elements h o n end",
        "species ! the reactions below use all of them",
        "H2 O2 OH H2O",
        "N2 ! inert, recommended",
        "HO2 end",
        "reactions   kcal/mole   moles ! units",
        "H2+O2=2OH   1 0 50  ! recommended end value",
        "  LOW / 1 2 3 /  ! see end of file",
        "  TROE / 0.5 1 2 /",
        "  H2O/6/ N2/1/",
        "  PLOG / 1.0 1 0 0 /",
        "  FORD / OH 1.0 /",
        "  DUP",
        "H2+HO2=H2O+H2O  1 0 0",
        "end",
    }));
    EXPECT_EQ(model.SpeciesNames(), (std::vector<std::string>{"H2", "O2", "OH", "H2O", "N2", "HO2"}));
    WriteText(dir.File("SP.TRM"), "3\n");  // OH
    ReducedWriterJob job{model, OneCaseSettings(), dir.File("SP.TRM"), dir.Path()};
    const auto out = BuildReducedMechanism(job);
    ASSERT_EQ(out.status, 0);
    const std::vector<std::string> body(out.reducedText.begin() + 5, out.reducedText.end());
    EXPECT_EQ(body, (std::vector<std::string>{
                        "elements h o n end", "SPECIES", P + " OH", "  H2 O2 H2O N2 HO2", "end",
                        "reactions   kcal/mole   moles ! units",
                        P + "H2+O2=2OH   1 0 50  ! recommended end value",
                        P + "  LOW / 1 2 3 /  ! see end of file",
                        P + "  TROE / 0.5 1 2 /",
                        P + "  H2O/6/ N2/1/",
                        P + "  PLOG / 1.0 1 0 0 /",
                        P + "  FORD / OH 1.0 /",
                        P + "  DUP",
                        "H2+HO2=H2O+H2O  1 0 0",
                        "end"}))
        << Joined(body);
}

TEST(ClassifyLine, CoefficientsWholeTokensAndComments) {
    const std::vector<std::string> oh{"OH"}, h2{"H2"}, ch2{"CH2"}, ch3{"CH3"};
    EXPECT_EQ(ClassifyLine("2OH(+M)<=>H2O2(+M) 1 0 0", oh), kRemovedReaction);
    EXPECT_EQ(ClassifyLine("H2O2+O=HO2+OH 1 0 0", oh), kRemovedReaction);
    EXPECT_EQ(ClassifyLine("H2O+O=H+HO2 1 0 0 ! OH", oh), kKeptReaction);
    EXPECT_EQ(ClassifyLine("H2O+O=2H+O2 1 0 0", h2), kKeptReaction);
    EXPECT_EQ(ClassifyLine("H2O2+H=HO2+H2O 1 0 0", h2), kKeptReaction);
    EXPECT_EQ(ClassifyLine("0.5H2+O=OH 1 0 0", h2), kRemovedReaction);
    EXPECT_EQ(ClassifyLine("H+H2=>H+H+H 1 0 0", h2), kRemovedReaction);
    EXPECT_EQ(ClassifyLine("CH2(S)+O2=CO+H2O 1 0 0", ch2), kKeptReaction);
    EXPECT_EQ(ClassifyLine("CH3(+M)=CH2+H(+M) 1 0 0", ch3), kRemovedReaction);
    EXPECT_EQ(ClassifyLine("H+O2(+CH3)=HO2(+CH3) 1 0 0", ch3), kRemovedReaction);
    EXPECT_EQ(ClassifyLine("LOW / 1 2 3 /", oh), kAuxiliary);
    EXPECT_EQ(ClassifyLine("H2/2/ OH/3/", oh), kAuxiliaryRemoved);
    EXPECT_EQ(ClassifyLine("! H2+OH=H2O+H", oh), kKeptReaction);
    // A later removed name is still found after an earlier one occurs only inside longer names.
    EXPECT_EQ(ClassifyLine("H2+O2=H+HO2 1 0 0", std::vector<std::string>{"H", "H2"}), kRemovedReaction);
}

TEST(EfficiencyCleanUp, RemovedPartnersAreBlankedWithTheirValues) {
    std::vector<SpeciesEntry> species{{"H2O", true}, {"CO", false}, {"O", false}, {"AR", false}};
    EXPECT_EQ(CleanEfficiencyLine("H2O/6.0/ CO/1.5/", species), "H2O/6.0/" + std::string(8, ' '));
    EXPECT_EQ(CleanEfficiencyLine("CO  /1.5/ H2O/6/", species), "          H2O/6/");
    // O is found only where it stands as a name of its own, not inside H2O.
    EXPECT_EQ(CleanEfficiencyLine("H2O/6/ O/2/ AR/0.7/", species), "H2O/6/             ");
    EXPECT_EQ(CleanEfficiencyLine("CO2/2/", species), "CO2/2/");
}

TEST_F(ReducedWriter, SpeciesBlockWritesFiveNamesALine) {
    const auto out = Build("1 2 3 4 5 6 7\n");
    ASSERT_EQ(out.status, 0);
    EXPECT_EQ(out.reducedText[10], P + " H2 O2 H O OH");
    EXPECT_EQ(out.reducedText[11], P + " H2O HO2");
    EXPECT_EQ(out.reducedText[12], "  H2O2 CO CO2 CH2 CH2(S)");
    EXPECT_EQ(out.reducedText[13], "  CH3 CH4 N2 AR");
    EXPECT_EQ(out.reducedText[14], "END");
}

TEST_F(ReducedWriter, LinesUnkeptByTheReactionTrimAreDropped) {
    model.MechanismText[25].kept = false;  // the first DUPLICATE
    model.MechanismText[14].kept = false;  // an empty line
    const auto out = Build("");
    ASSERT_EQ(out.status, 0);
    EXPECT_EQ(out.reducedText.size(), 5 + kMech.size() - 2);
}

TEST(SettingsHeader, NumbersUseTheFixedPatternAndJoinWithCommas) {
    ReducedHeaderSettings s;
    s.pressures = {1.0, 2.5};
    s.temperatures = {1000.0, 1200.00005};
    s.mixtureLines = {"CH4 1, O2 2", "H2 2, O2 1"};
    s.threshold = 0.98;
    s.heatKeptRatio = 0.1;
    EXPECT_EQ(FormatSettingsHeaderLine(s),
              "!P=1.0000,2.5000atm;T=1000.0000,1200.0001K;Mix=CH4 1, O2 2,H2 2, O2 1;THD=0.9800;HHR=0.1000");
    s.decimalSeparator = ',';
    s.pressures = {1.0};
    EXPECT_EQ(FormatSettingsHeaderLine(s).substr(0, 12), "!P=1,0000atm");
}

TEST(FixedPattern, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.67");  // the double lies below the half
    EXPECT_EQ(FormatFixed(9.99996, 4), "10.0000");
    EXPECT_EQ(FormatFixed(-1.005, 1), "-1.0");
    EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
    EXPECT_EQ(FormatFixed(2.5, 0), "3");
    EXPECT_EQ(FormatFixed(15.04, 2, ','), "15,04");
}

TEST_F(ReducedWriter, TaskWritesTheFileAndReturnsTheCompletionCode) {
    int32_t status = -1;
    double progress = -1.0;
    ReducedWriterOutcome outcome;
    EXPECT_EQ(WriteReducedMechanism(Job("5 7 9 11\n"), &status, &progress, &outcome), kReducedWriterSuccess);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(progress, kProgressFinished);
    const std::string text = ReadText(dir.File("NEW_Chem.inp"));
    EXPECT_EQ(text, JoinCrLf(outcome.reducedText));
    EXPECT_NE(text.find("\r\nREACTIONS  KCAL/MOLE\r\n"), std::string::npos);
    // Without thermo data there is no YAML copy; the CHEMKIN set is complete all the same.
    EXPECT_EQ(outcome.yamlError.rfind("<E> NEW_Chem.yaml not written: ", 0), 0u) << outcome.yamlError;

    ApplyReducedOutcome(model, outcome);
    EXPECT_TRUE(model.ReducedInpReady);
    EXPECT_FALSE(model.GenerationPending);
    EXPECT_EQ(model.KeptSpeciesCount, 12);
    EXPECT_EQ(model.ReducedReactionCount, 6);
    EXPECT_FALSE(model.Species[4].checked);
    EXPECT_EQ(model.RemovedSpeciesNames, (std::vector<std::string>{"OH", "HO2", "CO", "CH2"}));
    EXPECT_EQ(model.TrimmedSpeciesPath, dir.File("SP.TRM"));

    ASSERT_TRUE(SaveReducedMechanism(model, dir.File("copy.inp")));
    EXPECT_EQ(ReadText(dir.File("copy.inp")), text);
}

TEST_F(ReducedWriter, AReopenedMechanismTakesBackTheFolderReducedMechanism) {
    int32_t status = -1;
    double progress = -1.0;
    ReducedWriterOutcome outcome;
    ASSERT_EQ(WriteReducedMechanism(Job("5 7 9 11\n"), &status, &progress, &outcome), kReducedWriterSuccess);
    ApplyReducedOutcome(model, outcome);

    MechanismModel reopened = OpenText(dir, Joined(kMech));
    ASSERT_TRUE(RestoreReducedMechanism(reopened, dir.Path()));
    EXPECT_TRUE(reopened.ReducedInpReady);
    EXPECT_EQ(reopened.SpeciesMarks(), model.SpeciesMarks());
    EXPECT_EQ(reopened.RemovedSpeciesNames, model.RemovedSpeciesNames);
    EXPECT_EQ(reopened.KeepCaption, model.KeepCaption);
    EXPECT_EQ(reopened.ReducedCountsCaption, model.ReducedCountsCaption);
    EXPECT_EQ(reopened.ReducedReactionCount, 6);
    EXPECT_EQ(JoinCrLf(reopened.ReducedText), ReadText(dir.File("NEW_Chem.inp")));

    // A reduction of another mechanism is not taken: other counts, or a kept species it lacks.
    MechanismModel smaller = OpenText(dir, "SPECIES\nH2 O2\nEND\nREACTIONS\nH2+O2=>2OH 1 0 0\nEND\n");
    MechanismModel renamed = reopened;
    renamed.CheckAllSpecies(true);
    renamed.ReducedInpReady = false;
    renamed.Species[0].name = "XX";  // H2 is kept
    for (MechanismModel* other : {&smaller, &renamed}) {
        EXPECT_FALSE(RestoreReducedMechanism(*other, dir.Path()));
        EXPECT_FALSE(other->ReducedInpReady);
    }
}

TEST_F(ReducedWriter, ReaderFailureWritesNothingAndKeepsTheEarlierFile) {
    WriteText(dir.File("NEW_Chem.inp"), "earlier\r\n");
    model.ReducedText = {"earlier"};
    int32_t status = 0;
    double progress = 0.0;
    ReducedWriterOutcome outcome;
    EXPECT_EQ(WriteReducedMechanism(Job("3 x\n"), &status, &progress, &outcome), 0);
    EXPECT_EQ(status, kTrimReaderFailed);
    EXPECT_EQ(progress, 10.0);
    EXPECT_NE(outcome.error.find("'x'"), std::string::npos);
    EXPECT_EQ(ReadText(dir.File("NEW_Chem.inp")), "earlier\r\n");
    ApplyReducedOutcome(model, outcome);
    EXPECT_EQ(model.ReducedText, std::vector<std::string>{"earlier"});
    EXPECT_FALSE(model.ReducedInpReady || model.GenerationPending);
}

TEST_F(ReducedWriter, StoreFailureLeavesTheGenerationPending) {
    auto job = Job("5\n");
    job.workDirectory = dir.File("no-such-folder");
    int32_t status = 0;
    double progress = 0.0;
    ReducedWriterOutcome outcome;
    EXPECT_EQ(WriteReducedMechanism(job, &status, &progress, &outcome), 0);
    EXPECT_EQ(status, kReducedStoreFailed);
    EXPECT_LT(progress, kProgressDoneThreshold);
    EXPECT_NE(outcome.error.find("no-such-folder"), std::string::npos);
    ApplyReducedOutcome(model, outcome);
    EXPECT_TRUE(model.GenerationPending);
    EXPECT_FALSE(model.ReducedInpReady);
}

TEST_F(ReducedWriter, TaskObjectRunsOnAWorkerAndHandsTheOutcomeBackOnce) {
    WriteText(dir.File("SP.TRM"), "16\n");
    ReducedWriterTask task;
    auto entry = task.Entry({model, OneCaseSettings(), dir.File("SP.TRM"), dir.Path()});
    int32_t status = -1;
    double progress = 0.0;
    int32_t result = 0;
    std::thread worker([&] { result = entry(&status, &progress); });
    worker.join();
    EXPECT_EQ(result, kReducedWriterSuccess);
    EXPECT_EQ(status, 0);
    const auto outcome = task.TakeOutcome();
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->removedSpeciesNames, std::vector<std::string>{"AR"});
    EXPECT_TRUE(model.Species[15].checked);  // the caller's model is untouched until applied
    EXPECT_FALSE(task.TakeOutcome().has_value());
    // A restarted step runs the same callable again and must produce the same file.
    const std::string first = ReadText(dir.File("NEW_Chem.inp"));
    EXPECT_EQ(entry(&status, &progress), kReducedWriterSuccess);
    EXPECT_EQ(ReadText(dir.File("NEW_Chem.inp")), first);
}

TEST(ReducedWriterOnGri30, ReducedFileNamesNoRemovedSpeciesAndReopensWithTheReducedCounts) {
    TempDir dir;
    MechanismModel gri;
    ASSERT_TRUE(OpenMechanism(gri, DataFile("gri30/chem.inp")).ok);
    // CH2, the nitrogen species but N2, argon and the C3 species.
    WriteText(dir.File("SP.TRM"), "NOTE: Original SP#=53\n11\n31 32 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47\n49 50 51 52 53\n");
    int32_t status = 0;
    double progress = 0.0;
    ReducedWriterOutcome outcome;
    ASSERT_EQ(WriteReducedMechanism({gri, OneCaseSettings(), dir.File("SP.TRM"), dir.Path()}, &status, &progress,
                                    &outcome),
              kReducedWriterSuccess)
        << outcome.error;

    MechanismModel reduced;
    ASSERT_TRUE(OpenMechanism(reduced, dir.File("NEW_Chem.inp")).ok);
    EXPECT_EQ(reduced.DetailedSpeciesCount, 30);
    EXPECT_EQ(reduced.DetailedSpeciesCount, outcome.keptSpeciesCount);
    EXPECT_EQ(reduced.DetailedReactionCount, outcome.reducedReactionCount);
    EXPECT_LT(outcome.reducedReactionCount, 325);
    bool inReactions = false;
    for (const auto& line : reduced.MechanismText) {
        const std::string t = TrimLeadingBlanks(line.text);
        if (t == "REACTIONS") inReactions = true;
        if (!inReactions || t.empty() || t[0] == '!') continue;
        const int c = ClassifyLine(t, outcome.removedSpeciesNames);
        EXPECT_TRUE(c == kKeptReaction || c == kAuxiliary) << line.text;
    }
}
