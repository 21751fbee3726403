// "Reduce to target error...": the dialog, the search on its worker, its lines and progress in
// the message memo and the status bar, and the result applied as an integrated run's.

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

#include "app/core/pipeline/always_kept.h"
#include "app/workbench/candidate_table_form.h"
#include "app/workbench/locale_numbers.h"
#include "app/workbench/memo_lines.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/target_error_form.h"
#include "app/workbench/target_search_worker.h"

bool TPruvexForm::TargetSearchRunning() const { return targetSearch_ && targetSearch_->Running(); }

void TPruvexForm::TargetErrorClick() {
    if (BackgroundWorkRunning() || !runner_ || !runner_->CommandsAvailable() || model_.Species.empty()) return;
    static double lastTarget = 10.0;
    static bool lastRemoval = true;
    TTargetErrorForm dialog(lastTarget, CheckedMethod(), lastRemoval, QString::fromStdString(alwaysKept_), this);
    if (dialog.exec() != QDialog::Accepted) return;
    lastTarget = dialog.TargetPercent();
    lastRemoval = dialog.SpeciesRemoval();
    alwaysKept_ = vantor::JoinSpeciesNames(vantor::SplitSpeciesNames(dialog.AlwaysKept().toStdString()));
    SelectMethod(dialog.Method());

    vantor::search::TargetSearchSettings settings;
    settings.targetPercent = dialog.TargetPercent();
    settings.method = dialog.Method();
    settings.speciesRemoval = dialog.SpeciesRemoval();
    settings.launcher = runner_->IgnitionLauncher();
    vantor::search::TargetSearchInput input;
    input.settings = ReadSettingsInput();
    input.files = CurrentFiles();
    input.model = model_;
    input.reactorCases = reactorCases_;
    input.numbers = vantor::UserLocaleNumbers();
    if (!BindReactorLibraries()) return;
    using vantor::LibraryId;
    const vantor::search::SearchEntries entries{entries_.Entry(LibraryId::Tolmar),
                                                entries_.Entry(LibraryId::Senkin),
                                                entries_.Entry(vantor::EngineLibrary(settings.method)),
                                                entries_.Entry(LibraryId::Pellor),
                                                &reactorLibraries_};

    sink_->ClearLines();
    sink_->ResetErrorFlag();
    ProgressBar1->setValue(0);
    targetSearch_ = std::make_unique<TTargetSearchWorker>(entries, settings, std::move(input));
    connect(targetSearch_.get(), &TTargetSearchWorker::lineAdded, this, &TPruvexForm::AddWorkerLine, Qt::QueuedConnection);
    connect(
        targetSearch_.get(), &TTargetSearchWorker::progressed, this,
        [this](double fraction, const QString& status) {
            ProgressBar1->setValue(static_cast<int>(100.0 * fraction));
            StatusPanel1->setText(status);
        },
        Qt::QueuedConnection);
    connect(targetSearch_.get(), &TTargetSearchWorker::finished, this, &TPruvexForm::TargetSearchFinished,
            Qt::QueuedConnection);
    targetSearch_->Start();
    // The tool buttons would start a run on the same files.
    RunPFAB->setEnabled(false);
    IntegratedRunB->setEnabled(false);
    UpdateCommandStates();
}

void TPruvexForm::TargetStopClick() {
    if (!TargetSearchRunning()) return;
    targetSearch_->RequestStop();
    sink_->AddLine("> Stopping the target search after the current library call ......");
}

void TPruvexForm::TargetSearchFinished() {
    const vantor::search::TargetSearchResult& result = targetSearch_->Result();
    if (result.outcome) {
        vantor::ApplyReducedOutcome(model_, *result.outcome);
        RefreshSpeciesList();
        RefreshReducedText();
    }
    RefreshCaptions();
    RunPFAB->setEnabled(true);
    IntegratedRunB->setEnabled(true);
    UpdateCommandStates();
    if (!result.rows.empty()) {
        QString summary = "No candidate is within the target.";
        if (result.chosen > 0) {
            const auto& chosen = result.rows[static_cast<size_t>(result.chosen - 1)];
            summary = QString("Chosen: candidate %1 (SP#=%2, RA#=%3, largest delay difference %4 %).")
                          .arg(chosen.number)
                          .arg(chosen.species)
                          .arg(chosen.reactions)
                          .arg(QString::fromStdString(vantor::search::FormatDifference(chosen.largest, 2)));
        }
        if (!result.tablePath.empty()) summary += " Table: " + QString::fromStdString(result.tablePath);
        auto* table = new TCandidateTableForm(result.rows, result.chosen, summary, this);
        table->setAttribute(Qt::WA_DeleteOnClose);
        table->show();
    }
}
