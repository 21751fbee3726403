// The step pipeline driven tick by tick against the fake libraries: step orders and weights,
// progress, success and failure lines, halts, and the commands' set-up.

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/core/pipeline/task_runner.h"
#include "common/path_field.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::FakeLibrary;
using test::TempDir;
using test::VectorSink;

class Pipeline : public ::testing::Test {
protected:
    Pipeline() {
        host.input.mixtureLines = {"CH4 1, O2 2"};
        host.input.speciesNames = {"CH4", "O2", "N2"};
        host.input.speciesMarks = {true, true, true};
        host.files = {"/opt/vantor", work.Path(), work.File("chem.inp"), work.File("chem.bin"), "", ""};
        test::WriteText(work.File("chem.inp"), "SPECIES\r\nCH4 O2 N2\r\nEND\r\n");
        test::WriteText(work.File("therm.dat"), "THERMO\r\n");
        test::WriteText(work.File("tran.dat"), "CH4 2\r\n");
        host.writer = [this](int32_t* status, double* progress) {
            ++writerCalls;
            StoreStatus(status, writerStatus);
            StoreProgress(progress, writerProgress);
            return writerResult;
        };
        VectorSink bindSink;
        EXPECT_EQ(entries.BindLibraries({test::FakeLibraryDir()}, bindSink, {}), kBindOk);
        for (const SharedLibrary& library : kLibraries) {
            fakes.push_back(std::make_unique<FakeLibrary>(test::FakeLibraryDir() + "/" + library.fileName));
            fakes.back()->Configure(FakeSuccess());
        }
        runner = std::make_unique<TaskRunner>(host, sink, entries, CLocaleNumbers(),
                                              RunnerClock{[this] { return now.load(); }, [](int) {}});
    }
    ~Pipeline() override {
        for (auto& fake : fakes) fake->Release();  // never leave a held call behind
        runner.reset();
    }

    FakeLibrary& Fake(LibraryId id) { return *fakes[static_cast<int>(id)]; }

    void RunToEnd(int maxTicks = 5000) {
        for (int i = 0; i < maxTicks && runner->RunActive(); ++i) {
            runner->Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // Ticks until `line` shows up (or gives up).
    void TickUntil(const std::string& line) {
        for (int i = 0; i < 5000 && !sink.Has(line); ++i) {
            runner->Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_TRUE(sink.Has(line)) << line << "\n" << sink.Joined();
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            runner->Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    void WriteDetailedResults() {
        test::WriteText(work.File("chem.bin"), "bin");
        test::WriteText(work.File("SAVE.dat"), "E\r\n");
    }
    // The lines of one step, from its start line to its empty closing line, with the
    // in-progress lines left out.
    std::vector<std::string> StepLines(const std::string& name) const {
        std::vector<std::string> out;
        bool inside = false;
        for (const auto& line : sink.lines) {
            if (line == "> " + name + " start ......") inside = true;
            if (!inside) continue;
            if (line.find("% of [") != std::string::npos && line.find(" % of [") == std::string::npos) continue;
            out.push_back(line);
            if (line.empty()) break;
        }
        return out;
    }
    static std::vector<std::string> SuccessLines(const std::string& name, const std::string& percent,
                                                 const std::string& elapsed) {
        return {"> " + name + " start ......",
                "> Load setting parameters completed!",
                "> " + percent + " % of [" + name + "] is accomplished.",
                "> " + name + " is successful!",
                "> Elapsed time:" + elapsed + "s",
                ""};
    }

    TempDir work;
    test::TestHost host;
    VectorSink sink;
    EntryTable entries;
    std::vector<std::unique_ptr<FakeLibrary>> fakes;
    std::atomic<int64_t> now{0};
    int writerCalls = 0;
    int32_t writerStatus = 0;
    int32_t writerResult = 10508;
    double writerProgress = 9999.0;
    std::unique_ptr<TaskRunner> runner;
};

TEST_F(Pipeline, IntegratedRunStepsAndWeights) {
    runner->IntegratedReduction(EngineMethod::Pfa);
    TPROGRESS& p = runner->Progress();
    EXPECT_EQ(p.NTask, 4);
    EXPECT_EQ(p.ITASK, 1);
    EXPECT_EQ((std::vector<int>{p.TASKs[1].ID, p.TASKs[2].ID, p.TASKs[3].ID, p.TASKs[4].ID}),
              (std::vector<int>{3, 1, 2, 5}));
    EXPECT_DOUBLE_EQ(p.RatioTask[3], 0.1);
    EXPECT_DOUBLE_EQ(p.RatioTask[1], 0.3);
    EXPECT_DOUBLE_EQ(p.RatioTask[2], 0.5);
    EXPECT_DOUBLE_EQ(p.RatioTask[5], 0.1);
    EXPECT_EQ(host.prepareCalls, 1);
}

TEST_F(Pipeline, ChosenStepsShareTheWeightsInProportion) {
    runner->IntegratedRunChoices = {false, false, true, true};
    runner->IntegratedReduction(EngineMethod::Pfa);
    TPROGRESS& p = runner->Progress();
    EXPECT_EQ(p.NTask, 2);
    EXPECT_EQ(p.TASKs[1].ID, 2);
    EXPECT_EQ(p.TASKs[2].ID, 5);
    EXPECT_DOUBLE_EQ(p.RatioTask[2], 0.5 / 0.6);
    EXPECT_DOUBLE_EQ(p.RatioTask[5], 0.1 / 0.6);
    EXPECT_EQ(p.RatioTask[3], 0.0);
}

TEST_F(Pipeline, IntegratedRunCompletesEveryStepInOrder) {
    now = 1000;
    runner->IntegratedReduction(EngineMethod::Pfa);
    now = 3250;
    RunToEnd();
    ASSERT_FALSE(runner->LastRunFailed()) << sink.Joined();
    EXPECT_EQ(runner->Progress().NTask, 0);
    for (const char* name : {"Tolmar data generation", "Standard data calculation", "PFA calculation",
                             "New Chemistry generation"})
        EXPECT_EQ(StepLines(name), SuccessLines(name, "100", "2.250")) << sink.Joined();
    std::vector<std::string> starts;
    for (const auto& line : sink.lines)
        if (line.find(" start ......") != std::string::npos) starts.push_back(line);
    EXPECT_EQ(starts.front(), "> Tolmar data generation start ......");
    EXPECT_EQ(starts.back(), "> New Chemistry generation start ......");
    EXPECT_EQ(host.ended, (std::vector<int>{3, 1, 2, 5}));
    EXPECT_EQ(Fake(LibraryId::Tolmar).Calls(), 1);
    EXPECT_EQ(Fake(LibraryId::Senkin).Calls(), 1);
    EXPECT_EQ(Fake(LibraryId::Kelda).Calls(), 1);
    EXPECT_EQ(Fake(LibraryId::Morva).Calls(), 0);
    EXPECT_EQ(writerCalls, 1);
    EXPECT_EQ(Fake(LibraryId::Kelda).LastJob().Threshold, 2.0 - 2.0 * 0.98);
    EXPECT_EQ(Fake(LibraryId::Senkin).LastJob().ReducedFilesFlag, 0);
    EXPECT_FALSE(sink.errorFlag);
    runner->Tick();
    EXPECT_EQ(host.heartbeat, "");  // idle again
}

TEST_F(Pipeline, NoChoiceLeavesTheDisplayAsItWas) {
    sink.lines = {"> earlier line"};
    runner->IntegratedRunChoices = {false, false, false, false};
    runner->IntegratedReduction(EngineMethod::Pfa);
    EXPECT_EQ(sink.lines, std::vector<std::string>{"> earlier line"});
    EXPECT_EQ(sink.clears, 0);
    EXPECT_EQ(host.prepareCalls, 1);  // the species are checked all the same
    EXPECT_EQ(runner->Progress().NTask, 0);
}

TEST_F(Pipeline, FailingEngineHaltsTheRunWithItsStatus) {
    Fake(LibraryId::Kelda).Configure(FakeBehaviour{3007, 0, 40.0, -1.0, 0});
    runner->IntegratedReduction(EngineMethod::Pfa);
    RunToEnd();
    EXPECT_TRUE(runner->Halted());
    EXPECT_TRUE(runner->LastRunFailed());
    const auto failed = std::find(sink.lines.begin(), sink.lines.end(), "<E> Run PFA procedure failed");
    ASSERT_NE(failed, sink.lines.end()) << sink.Joined();
    ASSERT_NE(failed + 1, sink.lines.end());
    EXPECT_EQ(*(failed + 1), "> Something wrrong #3007 ,please check out.dat file.");
    EXPECT_TRUE(sink.errorFlag);
    EXPECT_EQ(runner->Progress().NTask, 2);  // stays at its step
    EXPECT_TRUE(runner->StepBusy());

    const size_t lineCount = sink.lines.size();
    Ticks(20);
    EXPECT_EQ(sink.lines.size(), lineCount);
    EXPECT_EQ(writerCalls, 0);
    EXPECT_EQ(host.ended.back(), -2);

    // A new command clears the halted run.
    Fake(LibraryId::Kelda).Configure(FakeSuccess());
    EXPECT_TRUE(runner->CommandsAvailable());
    runner->IntegratedReduction(EngineMethod::Pfa);
    RunToEnd();
    EXPECT_FALSE(runner->LastRunFailed()) << sink.Joined();
    EXPECT_EQ(writerCalls, 1);
}

TEST_F(Pipeline, RepeatedProgressLineIsShownOnce) {
    WriteDetailedResults();
    Fake(LibraryId::Kelda).Configure(FakeBehaviour{0, -1, 9999.0, 37.0, 1});
    runner->GenerateTrimmedData(EngineMethod::Pfa);
    const std::string line = "> 37% of [PFA calculation] is accomplished.";
    TickUntil(line);
    Ticks(25);
    EXPECT_EQ(sink.Count(line), 1);
    Fake(LibraryId::Kelda).Release();
    RunToEnd();
    EXPECT_TRUE(sink.Has("> 100 % of [PFA calculation] is accomplished.")) << sink.Joined();
    EXPECT_EQ(runner->Progress().Progress(2), 100.0);  // clamped at completion
}

TEST_F(Pipeline, CompletionByResultCodeAtLowProgress) {
    writerProgress = 50.0;
    now = 500;
    runner->CreateReducedInpFile();
    now = 1750;
    RunToEnd();
    EXPECT_EQ(StepLines("New Chemistry generation"), SuccessLines("New Chemistry generation", "50", "1.250"))
        << sink.Joined();
    EXPECT_FALSE(runner->LastRunFailed());
}

TEST_F(Pipeline, CallThatReturnsWithoutCompletionHalts) {
    writerProgress = 50.0;
    writerResult = 10408;  // another task's code
    runner->CreateReducedInpFile();
    RunToEnd();
    EXPECT_TRUE(runner->Halted());
    EXPECT_TRUE(sink.Has("<E> [New Chemistry generation] ended without signalling completion.")) << sink.Joined();
}

TEST_F(Pipeline, FailingWriterReportsItsOwnLine) {
    writerStatus = 101;
    writerResult = 0;
    writerProgress = 10.0;
    runner->CreateReducedInpFile();
    RunToEnd();
    EXPECT_TRUE(sink.Has("<E> Reduced chemistry creation failed"));
    EXPECT_TRUE(sink.Has("> Something wrrong #101 ,please check out.dat file."));
}

TEST_F(Pipeline, MissingInputHaltsBeforeTheLibraryIsCalled) {
    std::filesystem::remove(work.File("therm.dat"));
    runner->IntegratedReduction(EngineMethod::Pfa);
    Ticks(5);
    EXPECT_TRUE(sink.Has("<E> Cannot find thermal file (therm.dat)."));
    EXPECT_TRUE(runner->Halted());
    EXPECT_FALSE(runner->RunActive());
    EXPECT_EQ(Fake(LibraryId::Tolmar).Calls(), 0);

    test::WriteText(work.File("Therm.DAT"), "THERMO\r\n");  // found without regard to case
    runner->IntegratedReduction(EngineMethod::Pfa);
    RunToEnd();
    EXPECT_FALSE(runner->LastRunFailed()) << sink.Joined();
}

TEST_F(Pipeline, ThermoPathThatIsNoFileSaysWhatItIs) {
    std::filesystem::create_directory(work.File("thermdir"));
    ASSERT_EQ(::mkfifo(work.File("thermfifo").c_str(), 0600), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"thermdir", "is a directory"}, {"thermfifo", "is not a regular file"}, {"nothing", "No such file or directory"}};
    for (const auto& [name, reason] : cases) {
        sink.lines.clear();
        host.files.thermoPath = work.File(name);
        runner->IntegratedReduction(EngineMethod::Pfa);
        Ticks(3);
        EXPECT_TRUE(sink.Has("<E> Cannot find thermal file (therm.dat).")) << sink.Joined();
        EXPECT_TRUE(sink.Has("> " + work.File(name) + ": " + reason)) << sink.Joined();
    }
}

// The comparison and the reduced test describe the earlier mechanism: they go before the writer
// runs, whether it then succeeds or not.
TEST_F(Pipeline, NewReducedMechanismRemovesTheEarlierResultsFirst) {
    const char* const earlier[] = {"CMP.dat", "New_SAVE.dat", "New_Chem.bin", "New_Out.dat"};
    for (const char* name : earlier) test::WriteText(work.File(name), "earlier");
    writerStatus = 101;
    writerResult = 0;
    writerProgress = 10.0;
    runner->CreateReducedInpFile();
    RunToEnd();
    EXPECT_TRUE(sink.Has("<E> Reduced chemistry creation failed"));
    for (const char* name : earlier) EXPECT_FALSE(std::filesystem::exists(work.File(name))) << name;
    EXPECT_TRUE(std::filesystem::exists(work.File("chem.inp")));
}

TEST_F(Pipeline, MissingTransportDataEndsTheRun) {
    WriteDetailedResults();
    std::filesystem::remove(work.File("tran.dat"));
    runner->CreateTranBin();
    Ticks(3);
    EXPECT_TRUE(sink.Has("<E> Cannot find transport file."));
    EXPECT_EQ(runner->Progress().NTask, 0);
    EXPECT_FALSE(runner->Halted());
    EXPECT_TRUE(runner->LastRunFailed());
    EXPECT_FALSE(runner->StepBusy());
    EXPECT_EQ(Fake(LibraryId::Pellor).Calls(), 0);
}

TEST_F(Pipeline, IllegalSettingsEndTheRunWithTwoErrorLines) {
    host.input.grid[kRowThreshold][kValueColumn] = "abc";
    runner->IntegratedReduction(EngineMethod::Pfa);
    Ticks(3);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"<E> Data for threshold is illigal.",
                                                    "<E> Paramater Setting Error."}));
    EXPECT_EQ(runner->Progress().NTask, 0);
    EXPECT_TRUE(runner->LastRunFailed());
    EXPECT_EQ(Fake(LibraryId::Tolmar).Calls(), 0);
}

TEST_F(Pipeline, ChemBinCommandDoesNotValidate) {
    host.input.grid[kRowThreshold][kValueColumn] = "abc";
    runner->CreateChemBin();
    RunToEnd();
    EXPECT_FALSE(runner->LastRunFailed()) << sink.Joined();
    EXPECT_FALSE(sink.Has("> Tolmar data generation start ......"));
    EXPECT_TRUE(sink.Has("> Tolmar data generation is successful!"));
}

TEST_F(Pipeline, ReducedTestRunsOnTheNewFiles) {
    runner->ReducedChemistryTest();  // no reduced mechanism yet: nothing happens
    EXPECT_EQ(runner->Progress().NTask, 0);
    EXPECT_EQ(sink.clears, 0);

    host.reducedReady = true;
    test::WriteText(work.File("NEW_Chem.inp"), "SPECIES\r\n");
    runner->ReducedChemistryTest();
    TPROGRESS& p = runner->Progress();
    EXPECT_EQ(p.NTask, 2);
    EXPECT_EQ(p.TASKs[1].ID, 3);
    EXPECT_EQ(p.TASKs[2].ID, 1);
    EXPECT_EQ(p.RatioTask[3], 0.3);
    EXPECT_EQ(p.RatioTask[1], 1.0);
    EXPECT_EQ(p.TASKs[1].Name, "Reduced chemistry test");
    RunToEnd();
    ASSERT_FALSE(runner->LastRunFailed()) << sink.Joined();
    EXPECT_TRUE(sink.Has("> Reduced chemistry test is successful!"));
    const JobRecord tolmarJob = Fake(LibraryId::Tolmar).LastJob();
    EXPECT_EQ(tolmarJob.ReducedFilesFlag, 1);
    EXPECT_EQ(DecodePathField(tolmarJob.InpFile), work.File("NEW_Chem.inp"));
    EXPECT_EQ(DecodePathField(Fake(LibraryId::Senkin).LastJob().SaveFile), work.File("New_SAVE.dat"));
    EXPECT_EQ(host.prepareCalls, 0);  // the kept species keep their marks
}

// An integrated run and the reduced test after it each keep their results in a folder of their
// own; the comparison joins the test's folder; a single task keeps nothing.
TEST_F(Pipeline, IntegratedRunAndReducedTestKeepTheirResults) {
    WriteDetailedResults();
    test::WriteText(work.File("NEW_Chem.inp"), "SPECIES\r\n");
    test::WriteText(work.File("NEW_Chem.yaml"), "species: []\n");
    runner->IntegratedReduction(EngineMethod::Pfa);
    RunToEnd();
    ASSERT_FALSE(runner->LastRunFailed()) << sink.Joined();
    const std::string integrated = runner->LastHistoryFolder();
    ASSERT_TRUE(sink.Has("> Results kept in " + integrated)) << sink.Joined();
    EXPECT_EQ(integrated.find(work.File("runs/")), 0u);
    for (const char* name : {"NEW_Chem.inp", "NEW_Chem.yaml", "SAVE.dat", "summary.txt"})
        EXPECT_TRUE(std::filesystem::exists(integrated + "/" + name)) << name;

    host.reducedReady = true;
    runner->ReducedChemistryTest();
    RunToEnd();
    ASSERT_NE(runner->LastHistoryFolder(), integrated);
    EXPECT_TRUE(runner->LastHistoryFolder().ends_with("_PFA_0.98_test")) << runner->LastHistoryFolder();
    test::WriteText(work.File("New_SAVE.dat"), "E\r\n");
    runner->ReducedChemistryData();
    EXPECT_TRUE(sink.Has("> Comparison kept in " + runner->LastHistoryFolder())) << sink.Joined();
    EXPECT_TRUE(std::filesystem::exists(runner->LastHistoryFolder() + "/CMP.dat"));
    const std::string summary = test::ReadText(runner->LastHistoryFolder() + "/summary.txt");
    EXPECT_NE(summary.find("\tkind=reduced test\tmethod=PFA\tthreshold=0.98"), std::string::npos) << summary;

    const std::string last = runner->LastHistoryFolder();
    runner->CreateChemBin();
    RunToEnd();
    EXPECT_EQ(runner->LastHistoryFolder(), last);
}

TEST_F(Pipeline, ReducedModeFailureNamesTheNewListing) {
    host.reducedReady = true;
    test::WriteText(work.File("NEW_Chem.inp"), "SPECIES\r\n");
    Fake(LibraryId::Senkin).Configure(FakeBehaviour{5, 0, 0.0, -1.0, 0});
    runner->ReducedChemistryTest();
    RunToEnd();
    EXPECT_TRUE(sink.Has("<E> Run standard procedure failed"));
    EXPECT_TRUE(sink.Has("> Something wrrong #5 ,please check New_out.dat file.")) << sink.Joined();
}

TEST_F(Pipeline, CommandsWaitForARunningCall) {
    WriteDetailedResults();
    host.reducedReady = true;
    Fake(LibraryId::Kelda).Configure(FakeBehaviour{0, -1, 9999.0, 20.0, 1});
    runner->GenerateTrimmedData(EngineMethod::Pfa);
    TickUntil("> 20% of [PFA calculation] is accomplished.");
    EXPECT_TRUE(runner->TaskInFlight());
    EXPECT_FALSE(runner->CommandsAvailable());
    const int clears = sink.clears;
    runner->CreateChemBin();
    runner->IntegratedReduction(EngineMethod::Pfa);
    runner->ReducedChemistryTest();
    EXPECT_EQ(sink.clears, clears);
    EXPECT_EQ(runner->Progress().TASKs[1].ID, 2);
    Fake(LibraryId::Kelda).Release();
    RunToEnd();
    EXPECT_EQ(Fake(LibraryId::Tolmar).Calls(), 0);
    EXPECT_FALSE(runner->LastRunFailed());
}

TEST_F(Pipeline, MethodSwitchNamesAndRunsTheEngine) {
    runner->SelectMethod(EngineMethod::Ecf);
    EXPECT_EQ(runner->Progress().TASKs[2].Name, "ECF calculation");
    runner->SelectMethod(EngineMethod::Pfa);
    EXPECT_EQ(runner->Progress().TASKs[2].Name, "PFA calculation");

    WriteDetailedResults();
    Fake(LibraryId::Morva).Configure(FakeBehaviour{4001, 0, 0.0, -1.0, 0});
    runner->GenerateTrimmedData(EngineMethod::Ecf);
    RunToEnd();
    EXPECT_EQ(Fake(LibraryId::Morva).Calls(), 1);
    EXPECT_EQ(Fake(LibraryId::Kelda).Calls(), 0);
    EXPECT_TRUE(sink.Has("> ECF calculation start ......"));
    EXPECT_TRUE(sink.Has("<E> Run ECF procedure failed"));
    EXPECT_DOUBLE_EQ(runner->Settings().v_THD, 0.98);  // no PFA transform for ECF
}

TEST_F(Pipeline, PathTooLongIsRefusedBeforeTheStepStarts) {
    host.files.workDirectory = "/" + std::string(120, 'd');
    runner->GenerateStandardData();
    Ticks(3);
    ASSERT_FALSE(sink.lines.empty());
    EXPECT_EQ(sink.lines.back().rfind("<E> Path too long", 0), 0u) << sink.Joined();
    EXPECT_TRUE(runner->Halted());
    EXPECT_EQ(Fake(LibraryId::Senkin).Calls(), 0);
}

TEST_F(Pipeline, LauncherThatIsNotFoundFailsTheIgnitionStep) {
    test::WriteText(work.File("chem.bin"), "binary");
    runner->SetIgnitionLauncher("no-such-launcher -n 2");
    runner->GenerateStandardData();
    RunToEnd();
    EXPECT_TRUE(runner->Halted());
    EXPECT_EQ(Fake(LibraryId::Senkin).Calls(), 0);  // nothing runs in its place
    EXPECT_TRUE(sink.Has("<E> Run standard procedure failed: the launcher 'no-such-launcher' is not found"))
        << sink.Joined();
    EXPECT_TRUE(sink.Has("> Something wrrong #4111 ,please check out.dat file."));
}

TEST_F(Pipeline, UnboundLibraryIsNeverCalled) {
    EntryTable empty;
    TaskRunner bare(host, sink, empty);
    bare.CreateChemBin();
    bare.Tick();
    EXPECT_TRUE(sink.Has("<E> libTolmar.so is not loaded: [Tolmar data generation] cannot run."));
    EXPECT_TRUE(bare.Halted());
}

TEST(TaskProgress, OverallProgressIsWeightedAndCapped) {
    TPROGRESS p;
    p.RatioTask[2] = 0.5;
    p.SetProgress(2, 50.0);
    EXPECT_EQ(p.GETVPRG(), 0.0);  // idle
    p.NTask = 1;
    EXPECT_DOUBLE_EQ(p.GETVPRG(), 0.25);
    p.SetProgress(2, 9999.0);
    EXPECT_DOUBLE_EQ(p.GETVPRG(), 0.5);
    p.SetProgress(2, std::nan(""));
    EXPECT_DOUBLE_EQ(p.GETVPRG(), 0.5);
    p.RatioTask[1] = 1.0;
    p.SetProgress(1, 70.0);
    EXPECT_DOUBLE_EQ(p.GETVPRG(), 1.0);
    EXPECT_EQ(p.TASKs[4].Name, "Pellor data generation");
}

TEST(TaskProgress, HeartbeatCyclesThroughSevenStates) {
    std::vector<std::string> shown;
    int state = 0;
    for (int i = 0; i < 8; ++i) shown.push_back(HeartbeatCaption(state = NextHeartbeatState(state)));
    EXPECT_EQ(shown, (std::vector<std::string>{">", ">>", ">>>", ">>>>", " >>>", "  >>", "   >", ">"}));
}

}  // namespace
}  // namespace vantor
