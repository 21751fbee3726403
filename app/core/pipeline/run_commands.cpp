// The run commands: each turns into the step list, weights and file mode of its run.

#include <chrono>

#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/task_runner.h"

namespace vantor {

RunnerClock SteadyRunnerClock() {
    return RunnerClock{
        [] {
            return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now().time_since_epoch())
                                            .count());
        },
        SleepMilliseconds};
}

TaskRunner::TaskRunner(RunnerHost& host, MessageSink& sink, const EntryTable& entries, LocaleNumbers numbers,
                       RunnerClock clock)
    : host_(host), sink_(sink), entries_(entries), numbers_(std::move(numbers)), clock_(std::move(clock)) {
    if (!clock_.nowMilliseconds) clock_.nowMilliseconds = SteadyRunnerClock().nowMilliseconds;
    if (!clock_.pause) clock_.pause = [](int) {};
}

TaskRunner::~TaskRunner() {
    for (auto& worker : workerByTask_) worker.reset();
}

bool TaskRunner::TaskInFlight() const {
    for (const auto& worker : workerByTask_)
        if (worker && !worker->CallReturned()) return true;
    return false;
}

// A command never replaces a task that is still running (its job record and files are in
// use); a halted or failed run is cleared so the new command's steps do start.
bool TaskRunner::BeginCommand() {
    if (TaskInFlight()) return false;
    if (halted_) progress_.NTask = 0;
    halted_ = false;
    runFailed_ = false;
    stepBusy_ = false;
    historyKind_ = HistoryKind::kNone;
    return true;
}

void TaskRunner::ClearDisplay(bool withCaptions) {
    sink_.ClearLines();
    lastProgressMessage_.clear();  // the memo is empty, so no line can repeat the previous one
    host_.SetProgressBar(0);
    if (withCaptions) host_.ClearRunCaptions();
    sink_.ResetErrorFlag();
}

void TaskRunner::SetMethod(EngineMethod method) {
    method_ = method;
    progress_.TASKs[kTaskReduction].Name = std::string(MethodName(method)) + " calculation";
}

void TaskRunner::SelectMethod(EngineMethod method) { SetMethod(method); }

void TaskRunner::SetUpSingleTask(int32_t code) {
    progress_.ClearSlots();
    progress_.NTask = 1;
    progress_.ITASK = 1;
    progress_.TASKs[1].ID = code;
    progress_.RatioTask[code] = 1.0;
    progress_.SetProgress(code, 0.0);
    ClearDisplay(true);
}

void TaskRunner::GenerateStandardData() {
    if (!BeginCommand()) return;
    validateBeforeStep_ = true;
    runStartTick_ = Now();
    progress_.TASKs[kTaskStandardData].Name = "Standard data calculation";
    job_.ReducedFilesFlag = 0;
    host_.PrepareDetailedRun();
    SetUpSingleTask(kTaskStandardData);
}

void TaskRunner::GenerateTrimmedData(EngineMethod method) {
    if (!BeginCommand()) return;
    validateBeforeStep_ = true;
    runStartTick_ = Now();
    SetMethod(method);  // the display name follows the engine that will run
    SetUpSingleTask(kTaskReduction);
}

void TaskRunner::CreateChemBin() {
    if (!BeginCommand()) return;
    validateBeforeStep_ = false;
    runStartTick_ = Now();
    job_.ReducedFilesFlag = 0;
    host_.PrepareDetailedRun();
    SetUpSingleTask(kTaskMechanismBinary);
}

void TaskRunner::CreateTranBin() {
    if (!BeginCommand()) return;
    validateBeforeStep_ = false;
    runStartTick_ = Now();
    SetUpSingleTask(kTaskTransportBinary);
}

void TaskRunner::CreateReducedInpFile() {
    if (!BeginCommand()) return;
    validateBeforeStep_ = true;
    runStartTick_ = Now();
    job_.ReducedFilesFlag = 0;
    SetUpSingleTask(kTaskReducedMechanism);
}

void TaskRunner::IntegratedReduction(EngineMethod method) {
    if (RunActive() || !BeginCommand()) return;
    validateBeforeStep_ = true;
    runStartTick_ = Now();
    job_.ReducedFilesFlag = 0;
    SetMethod(method);
    host_.PrepareDetailedRun();

    constexpr std::array<int32_t, 4> codes{kTaskMechanismBinary, kTaskStandardData, kTaskReduction,
                                           kTaskReducedMechanism};
    int chosen = 0;
    for (bool choice : IntegratedRunChoices) chosen += choice ? 1 : 0;
    if (chosen == 0) return;  // the memo, the bar and the step list stay as they were
    // A run that writes a reduced mechanism keeps it; one that stops before has no result of its own.
    if (IntegratedRunChoices[3]) historyKind_ = HistoryKind::kIntegratedRun;

    progress_.ClearSlots();
    progress_.NTask = chosen;
    progress_.ITASK = 0;
    double weightSum = 0.0;
    for (int i = 0; i < 4; ++i) {
        if (!IntegratedRunChoices[i]) continue;
        progress_.TASKs[++progress_.ITASK].ID = codes[i];
        progress_.RatioTask[codes[i]] = kDefaultTaskWeights[i];
        weightSum += kDefaultTaskWeights[i];
        if (codes[i] == kTaskStandardData) progress_.TASKs[kTaskStandardData].Name = "Standard data calculation";
    }
    if (weightSum > 1e-10) {
        for (int i = 0; i < 4; ++i)
            if (IntegratedRunChoices[i]) progress_.RatioTask[codes[i]] /= weightSum;
    }
    progress_.ITASK = 1;
    progress_.SetProgress(progress_.TASKs[1].ID, 0.0);
    ClearDisplay(true);
}

void TaskRunner::ReducedChemistryTest() {
    if (!host_.ReducedInpReady() || RunActive() || !BeginCommand()) return;
    validateBeforeStep_ = true;
    runStartTick_ = Now();
    job_.ReducedFilesFlag = 1;
    progress_.ClearSlots();
    // The weights are not normalised: the bar is full once the ignition runs reach 70 %.
    progress_.TASKs[1].ID = kTaskMechanismBinary;
    progress_.RatioTask[kTaskMechanismBinary] = 0.3;
    progress_.TASKs[kTaskStandardData].Name = "Reduced chemistry test";
    progress_.TASKs[2].ID = kTaskStandardData;
    progress_.RatioTask[kTaskStandardData] = 1.0;
    progress_.ITASK = 1;
    progress_.NTask = 2;
    historyKind_ = HistoryKind::kReducedTest;
    ClearDisplay(false);
}

int32_t TaskRunner::ReducedChemistryData(const std::vector<std::string>& appended) {
    runStartTick_ = Now();
    const int32_t code =
        CompareResults(host_.CurrentFiles().workDirectory, sink_, std::chrono::system_clock::now(), appended);
    if (code == kCompareOk) {
        sink_.AddLine("> Comparison data generation completed!");
        sink_.AddLine("");
        KeepComparison();
    }
    return code;
}

}  // namespace vantor
