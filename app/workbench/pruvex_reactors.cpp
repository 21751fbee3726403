// The project's flame and stirred-reactor cases in the desktop program: they follow an integrated
// run (detailed mechanism) and a reduced chemistry test (reduced mechanism) as in vantor-cli,
// each once the run's last step has ended without a failure, on a worker of their own.

#include "app/core/pipeline/library_folder.h"
#include "app/core/reactors/reactor_results.h"
#include "app/workbench/memo_lines.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/reactor_case_worker.h"

void TPruvexForm::AddWorkerLine(const QString& line) {
    if (line.startsWith("<E> "))
        vantor::ReportError(*sink_, line.toStdString());
    else
        sink_->AddLine(line.toStdString());
}

bool TPruvexForm::ReactorCasesRunning() const { return reactorWorker_ && reactorWorker_->Running(); }

bool TPruvexForm::BackgroundWorkRunning() const {
    return (runner_ && runner_->TaskInFlight()) || TargetSearchRunning() || ReactorCasesRunning() ||
           queuedReactorStage_ != ReactorStage::kNone;
}

void TPruvexForm::QueueReactorCases(ReactorStage stage) {
    // Only a run the command actually started is followed by its cases.
    queuedReactorStage_ = !reactorCases_.empty() && runner_->RunActive() ? stage : ReactorStage::kNone;
    // The memo stays editable during the run; the cases belong to the mixtures the run used.
    queuedMixtureLines_ = MemoLines(MixtureMemo);
}

bool TPruvexForm::BindReactorLibraries() {
    for (const vantor::ReactorCaseLine& line : reactorCases_)
        if (!reactorLibraries_.Entry(line.kind) &&
            !reactorLibraries_.Bind(line.kind, vantor::ProgramLibraryFolder(), *sink_))
            return false;
    return true;
}

// Called on every timer tick: starts the queued cases once the run has ended.
void TPruvexForm::StartQueuedReactorCases() {
    if (queuedReactorStage_ == ReactorStage::kNone || runner_->RunActive() || runner_->TaskInFlight()) return;
    const bool reduced = queuedReactorStage_ == ReactorStage::kReduced;
    queuedReactorStage_ = ReactorStage::kNone;
    if (runner_->LastRunFailed() || quitPending_ || !BindReactorLibraries()) return;
    TReactorCaseJob job;
    job.reduced = reduced;
    job.settings = runner_->Settings();
    job.files = CurrentFiles();
    job.mixtureLines = std::move(queuedMixtureLines_);
    job.cases = reactorCases_;
    job.pellor = entries_.Entry(vantor::LibraryId::Pellor);
    job.libraries = &reactorLibraries_;
    sink_->AddLine(reduced ? "> Reduced flame and stirred-reactor cases ......"
                           : "> Flame and stirred-reactor cases ......");
    reactorWorker_ = std::make_unique<TReactorCaseWorker>(std::move(job));
    connect(reactorWorker_.get(), &TReactorCaseWorker::lineAdded, this, &TPruvexForm::AddWorkerLine, Qt::QueuedConnection);
    connect(reactorWorker_.get(), &TReactorCaseWorker::finished, this, &TPruvexForm::ReactorCasesFinished,
            Qt::QueuedConnection);
    reactorWorker_->Start();
    UpdateCommandStates();
}

void TPruvexForm::ReactorCasesFinished(bool succeeded) {
    if (succeeded)
        sink_->AddLine(reactorWorker_->Reduced() ? "> Reduced flame and stirred-reactor cases done."
                                                 : "> Flame and stirred-reactor cases done.");
    UpdateCommandStates();
    QuitWhenStepEnded();
}

std::vector<std::string> TPruvexForm::ReactorReport() {
    if (reactorCases_.empty()) return {};
    const vantor::reactors::ReactorComparison comparison = vantor::reactors::CompareReactorCases(workDirectory_, reactorCases_);
    if (!comparison.ok) {
        vantor::ReportError(*sink_, comparison.error);
        return {};
    }
    return comparison.reportLines;
}
