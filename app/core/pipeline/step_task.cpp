// Advancing the current step on every tick: start it (validation, job record, input files,
// worker), report its progress, and complete or halt it.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/core/pipeline/failure_reasons.h"
#include "app/core/pipeline/input_checks.h"
#include "app/core/pipeline/launched_ignition_call.h"
#include "app/core/pipeline/result_set.h"
#include "app/core/pipeline/task_runner.h"
#include "common/target_list.h"

namespace vantor {

namespace {

int32_t LoadWord(const int32_t& word) {
    return std::atomic_ref<int32_t>(const_cast<int32_t&>(word)).load(std::memory_order_relaxed);
}
void StoreWord(int32_t& word, int32_t value) {
    std::atomic_ref<int32_t>(word).store(value, std::memory_order_relaxed);
}

// Success is signalled by a progress of 9990 or more, or by the result 10000 + 100 x code + 8.
bool IsComplete(int32_t code, int32_t result, double progress) {
    return ((result % 10000) / 100 == code && result % 10 == 8) || progress >= kProgressDoneThreshold;
}

}  // namespace

int32_t TaskRunner::EngineStatus() const { return LoadWord(engineStatus_); }
int32_t TaskRunner::LastReturnCode() const { return LoadWord(lastReturnCode_); }
int32_t TaskRunner::WorkerGate() const { return LoadWord(workerGate_); }

void TaskRunner::DrainWorkerMessages() {
    for (const std::string& line : workerMessages_.TakeAll()) ReportError(sink_, line);
}

void TaskRunner::Tick() {
    DrainWorkerMessages();
    if (progress_.NTask <= 0) {
        host_.SetHeartbeat("");
        return;
    }
    const int32_t stepIndex = progress_.ITASK;
    const int32_t code = stepIndex >= 1 && stepIndex <= kTaskSlots ? progress_.TASKs[stepIndex].ID : 0;
    if (code < 1 || code > kTaskSlots) {  // no step list to follow: end the run
        progress_.NTask = 0;
        host_.SetHeartbeat("");
        return;
    }
    const std::string name = progress_.TASKs[code].Name;
    previousOverallProgress_ = overallProgress_;
    overallProgress_ = progress_.GETVPRG();
    host_.SetProgressBar(std::clamp(static_cast<int>(100.0 * overallProgress_), 0, 100));
    if (stepBusy_) return;
    stepBusy_ = true;
    if (StepTask(progress_.TASKs[stepIndex], name) > 0) {
        progress_.NTask = 0;
        host_.SetHeartbeat("");
    }
    if (std::abs(overallProgress_ - previousOverallProgress_) > 1e-30) {
        if (!halted_) stepBusy_ = false;  // a halted run stays halted until a new command
        AdvanceHeartbeat();
    }
}

void TaskRunner::AdvanceHeartbeat() {
    heartbeatState_ = NextHeartbeatState(heartbeatState_);
    host_.SetHeartbeat(HeartbeatCaption(heartbeatState_));
}

int32_t TaskRunner::StepTask(TTask& step, const std::string& name) {
    const int32_t code = step.ID;
    if (step.NSTA == 0) {
        if (validateBeforeStep_) {
            if (settings_.GetReactDat(host_.ReadSettingsInput(), method_, numbers_, sink_) > 0) {
                ReportError(sink_, "<E> Paramater Setting Error.");
                Halt(code);
                return 1;
            }
            sink_.AddLine("> " + name + " start ......");
            sink_.AddLine("> Load setting parameters completed!");
        }
        step.NSTA = 1;
        if (!StartStep(code, name)) return 0;
    }
    if (step.NSTA != 1) {
        stepBusy_ = false;
        return 0;
    }
    return FollowStep(code, name);
}

bool TaskRunner::StartStep(int32_t code, const std::string& name) {
    const RunFiles files = host_.CurrentFiles();
    const JobFillResult fill = FillJobRecord(job_, settings_, files);
    paths_ = fill.paths;
    if (!fill.ok) {
        ReportError(sink_, fill.message);
        Halt(code);
        return false;
    }
    currentTaskCode_ = code;
    if (const auto missing = FindMissingInput(code, paths_)) {
        ReportError(sink_, missing->message);
        sink_.AddLine("> " + missing->path + ": " + InputFileProblem(missing->path));
        if (missing->endsRun) {
            progress_.NTask = 0;
            stepBusy_ = false;
            runFailed_ = true;
            host_.StepEnded(code, false);
        } else {
            Halt(code);
        }
        return false;
    }
    if (const auto unwritable = FindUnwritableOutput(code, paths_)) {
        ReportError(sink_, *unwritable);
        Halt(code);
        return false;
    }
    for (const std::string& notice : ReplacedLinkNotices(code, paths_)) sink_.AddLine(notice);
    listingBefore_ = IdentifyFile(paths_.outFile);
    TaskCall call = MakeTaskCall(code, name);
    if (!call) {
        Halt(code);
        return false;
    }
    // The results of the earlier reduced mechanism would describe another one than the new file.
    if (std::string error; code == kTaskReducedMechanism && !RemoveReducedResults(files.workDirectory, &error)) {
        error[0] = 'C';
        ReportError(sink_, "<E> " + error);
        Halt(code);
        return false;
    }
    workerByTask_[code].reset();
    StoreWord(engineStatus_, 0);
    StoreWord(lastReturnCode_, 0);
    const WorkerChannels channels{&engineStatus_, &lastReturnCode_, &workerGate_, &progress_.VPRGTASK[code]};
    workerByTask_[code] = std::make_unique<TMODThread>(std::move(call), FailureLine(code), channels, workerMessages_);
    return true;
}

TaskCall TaskRunner::MakeTaskCall(int32_t code, const std::string& name) {
    if (code == kTaskReducedMechanism) {
        TaskCall writer = host_.ReducedWriter(job_, settings_);
        if (!writer) ReportError(sink_, "<E> No reduced-mechanism writer: [" + name + "] cannot run.");
        return writer;
    }
    if (code == kTaskStandardData && !ignitionLauncher_.empty()) return LaunchedIgnitionCall(ignitionLauncher_, &job_);
    const SharedLibrary* library = EntryTable::LibraryForTask(code, method_);
    const EntryFunction entry = entries_.EntryForTask(code, method_);
    if (!library || !entry) {
        ReportError(sink_, std::string("<E> ") + (library ? library->fileName : "No library") + " is not loaded: [" + name +
                               "] cannot run.");
        return {};
    }
    if (code == kTaskReduction && UsesTargets(method_) && !HandTargetList()) return {};
    JobRecord* job = &job_;
    return [entry, job](int32_t* status, double* progress) { return entry(job, status, progress); };
}

// The user's targets go to the engine beside the trimmed-species file; an empty list is written
// too, so no earlier list is taken for this run's.
bool TaskRunner::HandTargetList() {
    std::string error;
    if (WriteTargetList(paths_.trimFile, host_.ReadSettingsInput().targetSpecies, &error)) return true;
    ReportError(sink_, "<E> " + error);
    return false;
}

std::string TaskRunner::FailureLine(int32_t code) const {
    switch (code) {
        case kTaskStandardData: return "<E> Run standard procedure failed";
        case kTaskReduction: return std::string("<E> Run ") + MethodName(method_) + " procedure failed";
        case kTaskMechanismBinary: return "<E> Run Tolmar procedure failed";
        case kTaskTransportBinary: return "<E> Run Pellor procedure failed";
        default: return "<E> Reduced chemistry creation failed";
    }
}

int32_t TaskRunner::FollowStep(int32_t code, const std::string& name) {
    const TMODThread* worker = workerByTask_[code].get();
    // Read before the shared words: once the call has returned they hold its final values.
    const bool returned = worker && worker->CallReturned();
    const double progress = progress_.Progress(code);
    if (IsComplete(code, LastReturnCode(), progress)) return CompleteStep(code, name, progress);

    const int32_t status = EngineStatus();
    if (returned && status > 0) {
        DrainWorkerMessages();  // the worker's own failure line comes first
        const char* const listing =
            job_.ReducedFilesFlag > 0 ? " ,please check New_out.dat file." : " ,please check out.dat file.";
        if (const auto unwritable = FindUnwritableOutput(code, paths_)) {
            AddProgressLine("> Something wrrong #" + std::to_string(status) + ".");
            ReportError(sink_, *unwritable);
        } else if (const FileIdentity now = IdentifyFile(paths_.outFile);
                   code != kTaskReducedMechanism && (!now.regular || now == listingBefore_)) {
            AddProgressLine("> Something wrrong #" + std::to_string(status) + ".");
            ReportError(sink_, "<E> The run listing " + paths_.outFile + " could not be written.");
        } else {
            AddProgressLine("> Something wrrong #" + std::to_string(status) + listing);
            // The listing holds the reason; it is shown here as well, so no file needs opening.
            if (const std::string reason = code == kTaskReducedMechanism ? "" : ListingErrorLine(paths_.outFile);
                !reason.empty())
                sink_.AddLine("> " + paths_.outFile + ": " + reason);
        }
        Halt(code);
        return 0;
    }
    if (returned) {
        // The call is over but signalled neither success nor failure: waiting would never end.
        ReportError(sink_, "<E> [" + name + "] ended without signalling completion.");
        Halt(code);
        return 0;
    }
    const std::string line = "> " + FormatWholeNumber(progress) + "% of [" + name + "] is accomplished.";
    clock_.pause(10);
    AddProgressLine(line);
    stepBusy_ = false;
    return 0;
}

int32_t TaskRunner::CompleteStep(int32_t code, const std::string& name, double progress) {
    if (!(progress <= 100.0)) {  // above 100 or not a number
        progress = 100.0;
        progress_.SetProgress(code, progress);
    }
    AddProgressLine("> " + FormatWholeNumber(progress) + " % of [" + name + "] is accomplished.");
    sink_.AddLine("> " + name + " is successful!");
    runEndTick_ = Now();
    sink_.AddLine("> Elapsed time:" +
                  FormatThreeDecimals(static_cast<double>(runEndTick_ - runStartTick_) / 1000.0,
                                      numbers_.decimalSeparator) +
                  "s");
    sink_.AddLine("");
    // Joined before the host hears of it, so whatever the task leaves behind is complete.
    workerByTask_[code].reset();
    if (--progress_.NTask > 0) ++progress_.ITASK;
    StoreWord(lastReturnCode_, 0);
    stepBusy_ = false;
    host_.StepEnded(code, true);
    if (progress_.NTask == 0) KeepRunHistory();
    return 0;
}

void TaskRunner::Halt(int32_t code) {
    halted_ = true;
    runFailed_ = true;
    host_.StepEnded(code, false);
}

void TaskRunner::AddProgressLine(const std::string& line) {
    if (line == lastProgressMessage_) return;
    sink_.AddLine(line);
    lastProgressMessage_ = line;
}

}  // namespace vantor
