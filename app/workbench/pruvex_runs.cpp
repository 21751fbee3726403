// The run commands, the runner's host side (settings, files, marks, the reduced writer, the
// progress display), the two timers, and the dialogs of the "Setting", "&Post" and "&Help" menus.

#include <QDesktopServices>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QUrl>

#include "app/core/mechanism/project_data_files.h"
#include "app/core/mechanism/trimming.h"
#include "app/core/pipeline/always_kept.h"
#include "app/core/pipeline/help_file.h"
#include "app/core/pipeline/library_folder.h"
#include "app/runner/irset_form.h"
#include "app/workbench/aboutcut_form.h"
#include "app/workbench/compdat_form.h"
#include "app/workbench/locale_numbers.h"
#include "app/workbench/memo_lines.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/mixset_form.h"
#include "app/workbench/parameter_grid_view.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/vantor_windows.h"
#include "common/path_field.h"

// Commands

void TPruvexForm::IntegratedReductionClick() {
    if (BackgroundWorkRunning()) return;
    runner_->IntegratedReduction(CheckedMethod());
    QueueReactorCases(ReactorStage::kDetailed);
    UpdateCommandStates();
}

void TPruvexForm::IntegratedRunButtonClick() {
    if (!IntegratedRunB->isEnabled()) return;
    IntegratedReductionClick();
}

void TPruvexForm::CreateChemBinClick() {
    runner_->CreateChemBin();
    UpdateCommandStates();
}

void TPruvexForm::CreateTranBinClick() {
    runner_->CreateTranBin();
    UpdateCommandStates();
}

void TPruvexForm::GenerateStandardDataClick() {
    runner_->GenerateStandardData();
    UpdateCommandStates();
}

void TPruvexForm::GenerateTrimmedDataClick() {
    if (!RunPFAB->isEnabled() || BackgroundWorkRunning()) return;  // the button and F5 need an opened mechanism
    runner_->GenerateTrimmedData(CheckedMethod());
    UpdateCommandStates();
}

void TPruvexForm::CreateReducedInpClick() {
    runner_->CreateReducedInpFile();
    UpdateCommandStates();
}

void TPruvexForm::ReducedTestClick() {
    if (BackgroundWorkRunning()) return;
    runner_->ReducedChemistryTest();
    QueueReactorCases(ReactorStage::kReduced);
    UpdateCommandStates();
}

void TPruvexForm::ReducedDataClick() {
    if (!model_.ReducedInpReady || BackgroundWorkRunning()) return;
    runner_->ReducedChemistryData(ReactorReport());
    auto* viewer = new TCmpDataForm(WorkDirectory(), this, MixtureMemo->toPlainText().split('\n'),
                                    QString::fromStdString(model_.MechanismPath));
    viewer->show();
}

void TPruvexForm::KeldaClick() { SelectMethod(vantor::EngineMethod::Pfa); }

void TPruvexForm::MorvaClick() { SelectMethod(vantor::EngineMethod::Ecf); }

void TPruvexForm::BrenaClick() { SelectMethod(vantor::EngineMethod::Drg); }

void TPruvexForm::TovikClick() { SelectMethod(vantor::EngineMethod::Drgep); }

// DRG and DRGEP search from the mixtures' species and from these.
void TPruvexForm::TargetSpeciesClick() {
    std::string current;
    for (const std::string& name : targetSpecies_) current += (current.empty() ? "" : " ") + name;
    bool ok = false;
    const QString text = QInputDialog::getText(this, "Target species",
                                               "Target species of DRG and DRGEP besides the mixtures' species:",
                                               QLineEdit::Normal, QString::fromStdString(current), &ok);
    if (ok) targetSpecies_ = vantor::SplitSpeciesNames(text.toStdString());
}

void TPruvexForm::IntegratedRunSettingsClick() {
    auto* dialog = new TIRSetForm(runner_->IntegratedRunChoices, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TPruvexForm::AboutClick() {
    if (about_) about_->exec();
}

// "Vantor.chm" in the system directory, else the user manual shipped with the program.
void TPruvexForm::HelpDocClick() {
    const vantor::HelpChoice help = vantor::ChooseHelpFile(systemDirectory_, vantor::ExecutableDirectory());
    if (help.path.empty()) {
        QMessageBox::information(this, kApplicationTitle, QString::fromStdString(vantor::NoHelpMessage(help)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(help.path))))
        QMessageBox::information(this, kApplicationTitle, "No program could open " + QString::fromStdString(help.path));
}

void TPruvexForm::WizardClick() {
    if (!wizard_) return;
    if (const auto lines = wizard_->Execute(model_.SpeciesNames())) SetMemoLines(MixtureMemo, *lines);
}

// The runner's host

vantor::SettingsInput TPruvexForm::ReadSettingsInput() {
    vantor::SettingsInput input;
    input.grid = ParGrid->Cells();
    input.mixtureLines = MemoLines(MixtureMemo);
    input.speciesNames = model_.SpeciesNames();
    input.speciesMarks = model_.SpeciesMarks();
    input.alwaysKept = vantor::SplitSpeciesNames(alwaysKept_);
    input.targetSpecies = targetSpecies_;
    return input;
}

vantor::RunFiles TPruvexForm::CurrentFiles() {
    return vantor::RunFiles{systemDirectory_,     workDirectory_,        model_.MechanismPath,
                            model_.MechanismBinaryPath, model_.ThermoPath, model_.TransportPath};
}

void TPruvexForm::PrepareDetailedRun() {
    model_.CheckAllSpecies(true);
    model_.ReducedInpReady = false;
    RefreshSpeciesList();
}

// The writer works on the worker thread from a copy of the model and the settings; its outcome
// comes back to this thread in StepEnded.
vantor::TaskCall TPruvexForm::ReducedWriter(const vantor::JobRecord& job, const vantor::TWState& settings) {
    PageS->setCurrentIndex(0);
    vantor::ReducedWriterJob writerJob;
    writerJob.model = model_;
    vantor::ReducedHeaderSettings& header = writerJob.settings;
    for (int i = 1; i <= std::min(settings.n_Ps, vantor::kMaxListValues); ++i)
        header.pressures.push_back(settings.Ps[static_cast<size_t>(i)]);
    for (int i = 1; i <= std::min(settings.n_Ts, vantor::kMaxListValues); ++i)
        header.temperatures.push_back(settings.Ts[static_cast<size_t>(i)]);
    header.mixtureLines = MemoLines(MixtureMemo);
    header.threshold = settings.v_THD;
    header.heatKeptRatio = settings.v_HKEEP;
    header.method = CheckedMethod();
    header.decimalSeparator = vantor::UserLocaleNumbers().decimalSeparator;
    writerJob.trimmedSpeciesPath = vantor::DecodePathField(job.TrimFile);
    writerJob.workDirectory = workDirectory_;
    return writerTask_.Entry(std::move(writerJob));
}

void TPruvexForm::StepEnded(int taskCode, bool /*succeeded*/) {
    if (taskCode != vantor::kTaskReducedMechanism) return;
    const auto outcome = writerTask_.TakeOutcome();
    if (!outcome) return;
    vantor::ApplyReducedOutcome(model_, *outcome);
    if (outcome->readerRan) RefreshSpeciesList();
    if (outcome->generationStarted) RefreshReducedText();
    RefreshCaptions();
    if (outcome->status > 0 && !outcome->error.empty()) vantor::ReportError(*sink_, "<E> " + outcome->error);
    if (!outcome->yamlError.empty()) vantor::ReportError(*sink_, outcome->yamlError);
    UpdateCommandStates();
}

void TPruvexForm::SetProgressBar(int position) { ProgressBar1->setValue(position); }

void TPruvexForm::SetHeartbeat(const std::string& caption) { HBPanel->setText(QString::fromStdString(caption)); }

void TPruvexForm::ClearRunCaptions() {
    model_.KeepCaption.clear();
    model_.ReducedCountsCaption.clear();
    RefreshCaptions();
}

// The timers

void TPruvexForm::TaskTimerTimer() {
    // A window closed once the step it waited for had ended starts no further step.
    if (!runner_ || (quitPending_ && isHidden())) return;
    runner_->Tick();
    StartQueuedReactorCases();
    UpdateCommandStates();
    QuitWhenStepEnded();
}

void TPruvexForm::ProgressTimerTimer() { ErrFlg->Blink(); }
