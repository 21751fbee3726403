#pragma once
// The task runner: run commands turn into a list of steps (task codes), and every tick advances
// the current step: validation, job record, input-file checks and a worker at its start, then
// progress lines until the task completes or fails. Ticks come from the caller (a 1000 ms timer
// in the desktop program, a loop in vantor-cli, direct calls in tests); everything here runs on
// the caller's thread except the task itself.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/core/pipeline/library_binding.h"
#include "app/core/pipeline/message_sink.h"
#include "app/core/pipeline/number_text.h"
#include "app/core/pipeline/output_checks.h"
#include "app/core/pipeline/run_settings.h"
#include "app/core/pipeline/runner_host.h"
#include "app/core/pipeline/task_progress.h"
#include "app/core/pipeline/worker.h"
#include "common/job_record.h"

namespace vantor {

struct RunnerClock {
    std::function<int64_t()> nowMilliseconds;
    PauseFunction pause;
};
RunnerClock SteadyRunnerClock();

class TaskRunner {
public:
    TaskRunner(RunnerHost& host, MessageSink& sink, const EntryTable& entries,
               LocaleNumbers numbers = CLocaleNumbers(), RunnerClock clock = SteadyRunnerClock());
    TaskRunner(const TaskRunner&) = delete;
    TaskRunner& operator=(const TaskRunner&) = delete;
    ~TaskRunner();  // waits for a running task

    // Commands. Each is ignored while a task's call is still running; otherwise it first clears
    // a halted or failed run, so a new command always starts afresh.
    void GenerateStandardData();
    void GenerateTrimmedData(EngineMethod method);
    void CreateChemBin();
    void CreateTranBin();
    void CreateReducedInpFile();
    // Steps 3, 1, 2, 5 as chosen in IntegratedRunChoices; only when no run is active.
    void IntegratedReduction(EngineMethod method);
    // Steps 3 and 1 on the "New_" files; only with a reduced mechanism and no active run.
    void ReducedChemistryTest();
    // Writes the comparison report, `appended` after its ignition cases; returns CompareResults' code.
    int32_t ReducedChemistryData(const std::vector<std::string>& appended = {});
    // The folder of the run history the last run's results went to; empty when none.
    const std::string& LastHistoryFolder() const { return lastHistoryFolder_; }
    // The method switch, with the display name of task 2 ("PFA calculation", ...).
    void SelectMethod(EngineMethod method);

    // Ignition steps through this launcher command (vantor-mpi-ignite over MPI ranks); empty:
    // in the SENKIN library.
    void SetIgnitionLauncher(std::string command) { ignitionLauncher_ = std::move(command); }
    const std::string& IgnitionLauncher() const { return ignitionLauncher_; }

    // One timer tick.
    void Tick();
    // Shows the failure lines the worker has handed over.
    void DrainWorkerMessages();

    // A run has steps left and is not halted.
    bool RunActive() const { return progress_.NTask > 0 && !halted_; }
    // The run stopped at a step (settings, missing file, failed task) until a new command.
    bool Halted() const { return halted_; }
    // The last run met a failure (halted, or ended by a missing transport file).
    bool LastRunFailed() const { return runFailed_; }
    // A task's call is running on the worker.
    bool TaskInFlight() const;
    // The reduction commands may start (no active run, no running call).
    bool CommandsAvailable() const { return !RunActive() && !TaskInFlight(); }

    EngineMethod Method() const { return method_; }
    bool EcfSelected() const { return method_ == EngineMethod::Ecf; }
    const TWState& Settings() const { return settings_; }
    const JobRecord& Job() const { return job_; }
    const JobPaths& Paths() const { return paths_; }
    TPROGRESS& Progress() { return progress_; }
    bool StepBusy() const { return stepBusy_; }
    int32_t EngineStatus() const;
    int32_t LastReturnCode() const;
    int32_t WorkerGate() const;
    int32_t CurrentTaskCode() const { return currentTaskCode_; }
    double OverallProgress() const { return overallProgress_; }

    // Create chem.bin, generate standard data, generate trimmed data, trim species and reactions.
    std::array<bool, 4> IntegratedRunChoices{true, true, true, true};
    static constexpr std::array<double, 4> kDefaultTaskWeights{0.1, 0.3, 0.5, 0.1};

private:
    // Commands
    bool BeginCommand();
    void SetUpSingleTask(int32_t code);
    void ClearDisplay(bool withCaptions);
    void SetMethod(EngineMethod method);
    bool HandTargetList();

    // Steps
    int32_t StepTask(TTask& step, const std::string& name);
    bool StartStep(int32_t code, const std::string& name);
    int32_t FollowStep(int32_t code, const std::string& name);
    int32_t CompleteStep(int32_t code, const std::string& name, double progress);
    TaskCall MakeTaskCall(int32_t code, const std::string& name);
    std::string FailureLine(int32_t code) const;
    void Halt(int32_t code);
    void AddProgressLine(const std::string& line);
    void AdvanceHeartbeat();

    // Run history (run_history_steps.cpp): after a run's last step, and after a comparison.
    enum class HistoryKind { kNone, kIntegratedRun, kReducedTest };
    void KeepRunHistory();
    void KeepComparison();
    int64_t Now() const { return clock_.nowMilliseconds(); }

    RunnerHost& host_;
    MessageSink& sink_;
    const EntryTable& entries_;
    LocaleNumbers numbers_;
    RunnerClock clock_;

    TWState settings_;
    TPROGRESS progress_;
    JobRecord job_{};
    JobPaths paths_;
    FileIdentity listingBefore_;  // the step's listing as it stood when the step started

    // Shared with the worker: written there, read here through std::atomic_ref.
    int32_t engineStatus_ = 0;
    int32_t lastReturnCode_ = 0;
    int32_t workerGate_ = 0;

    int32_t currentTaskCode_ = 0;
    EngineMethod method_ = EngineMethod::Pfa;
    bool validateBeforeStep_ = false;
    bool stepBusy_ = false;
    bool halted_ = false;
    bool runFailed_ = false;
    double overallProgress_ = 0.0;
    double previousOverallProgress_ = 0.0;
    int64_t runStartTick_ = 0;
    int64_t runEndTick_ = 0;
    std::string lastProgressMessage_;
    std::string ignitionLauncher_;
    int heartbeatState_ = 0;
    HistoryKind historyKind_ = HistoryKind::kNone;  // what the current command keeps at its end
    std::string lastHistoryFolder_;
    bool lastFolderIsTest_ = false;  // the last folder holds a reduced test that takes its comparison

    WorkerMessageQueue workerMessages_;
    std::array<std::unique_ptr<TMODThread>, kTaskSlots + 1> workerByTask_;
};

}  // namespace vantor
