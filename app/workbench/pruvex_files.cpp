// The "&File" commands: open a mechanism or a project, save a project or the reduced mechanism,
// the species-list exports, the working directory and exit.

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <chrono>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/mechanism/reduced_restore.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/mechanism/trimming.h"
#include "app/workbench/memo_lines.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/parameter_grid_view.h"
#include "app/workbench/pruvex_form.h"
#include "common/atomic_file.h"

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A file dialog made for one use. Filters list the upper- and lower-case extension, as file
// names here are case sensitive. Only a save gets the default ending: an open takes a typed
// name as it stands, so a mechanism named without ".inp" can be opened.
QString ChooseFile(QWidget* owner, const char* name, const QString& title, const QString& directory,
                   const QString& filter, const QString& suffix, bool save, const QString& fileName = {}) {
    QFileDialog dialog(owner, title, directory, filter);
    dialog.setObjectName(name);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setDefaultSuffix(suffix);
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

const QString kChemistryFilter = "Chemistry file(*.Inp *.inp *.INP);;All file(*)";
// Opening also takes a Cantera YAML mechanism, converted to CHEMKIN files on opening.
const QString kOpenFilter = "Chemistry file(*.Inp *.inp *.INP);;Cantera YAML(*.yaml *.yml);;All file(*)";

}  // namespace

bool TPruvexForm::RefuseWhileRunning() {
    if (!runner_->RunActive() && !BackgroundWorkRunning()) return false;
    vantor::ReportError(*sink_, "<E> A run is in progress: open another file when it has ended.");
    return true;
}

void TPruvexForm::ShowFileError(const std::string& error) {
    QString text = QString::fromStdString(error);
    if (text.startsWith("<E> ")) text.remove(0, 4);
    vantor::ReportError(*sink_, "<E> " + text.toStdString());  // the memo keeps it after the box is gone
    QMessageBox box(QMessageBox::Critical, "Vantor4", text, QMessageBox::Ok, this);
    box.setObjectName("ErrorBox");
    box.exec();
}

// A cancelled open leaves the opened mechanism, its path and the reduced state as they were.
void TPruvexForm::INPOpenClick() {
    if (RefuseWhileRunning()) return;
    const QString path =
        ChooseFile(this, "OpenDialog1", "Open a chemistry file", WorkDirectory() + "/", kOpenFilter, "Inp", false);
    if (!path.isEmpty()) OpenMechanismFile(path);
}

void TPruvexForm::OpenMechanismFile(const QString& path) {
    MixtureMemo->clear();  // the mixtures belong to the previous mechanism
    const vantor::MechanismOpenResult result = vantor::OpenMechanism(model_, LocalPath(path));
    if (!result.workDirectory.empty()) workDirectory_ = result.workDirectory;
    if (!result.ok) {
        RefreshMechanismText();
        RefreshSpeciesList();
        RefreshReducedText();
        RefreshCaptions();
        DisableRunsWithoutMechanism();
        ShowFileError(result.error);
        return;
    }
    ApplyOpenedMechanism(result.messages, true);
    MFile_INPSave->setEnabled(model_.ReducedInpReady);
}

void TPruvexForm::ApplyOpenedMechanism(const std::vector<std::string>& messages, bool resetGrid) {
    for (const std::string& line : messages) sink_->AddLine(line);
    AnnounceDataFiles();
    PageS->setCurrentIndex(0);
    RefreshMechanismText();
    RefreshSpeciesList();
    RefreshReducedText();
    RefreshCaptions();
    if (!workingLayout_) {
        ShowWorkingLayout();
        if (resetGrid) ParGrid->LoadCells(vantor::FillParameterGrid());
    }
    EnableAfterOpen();
}

void TPruvexForm::PRJOpenClick() {
    if (RefuseWhileRunning()) return;
    const QString path = ChooseFile(this, "OpenDialog3", "Open a project file", WorkDirectory() + "/",
                                    "Projet File(*.Prj *.prj *.PRJ);;All file(*)", "Prj", false);
    if (!path.isEmpty()) OpenProjectFile(path);
}

void TPruvexForm::OpenProjectFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        ShowFileError("Cannot read the project file " + LocalPath(path));
        return;
    }
    const vantor::ProjectOpenResult result = vantor::OpenProject(model_, LocalPath(path));
    const vantor::ProjectReadResult& project = result.project;
    if (!project.ok) {
        RefreshCaptions();
        ShowFileError(project.error);
        return;
    }
    if (project.restored) {
        SelectMethod(project.data.method);
        targetSpecies_ = project.data.targetSpecies;
        ParGrid->LoadCells(vantor::FillParameterGrid());
        for (int row = 1; row <= vantor::kProjectGridRows; ++row) {
            const vantor::ProjectGridRow& cells = project.data.grid[static_cast<size_t>(row - 1)];
            ParGrid->SetCell(row, vantor::kUnitColumn, QString::fromStdString(cells.unit));
            ParGrid->SetCell(row, vantor::kValueColumn, QString::fromStdString(cells.value));
        }
        SetMemoLines(MixtureMemo, project.data.mixtureLines);
        alwaysKept_ = project.data.alwaysKept;
        reactorCases_ = project.data.reactorCases;
    }
    if (!result.mechanismRead) {
        RefreshCaptions();
        DisableRunsWithoutMechanism();
        return;
    }
    if (!result.workDirectory.empty()) workDirectory_ = result.workDirectory;
    if (!result.mechanism.ok) {
        RefreshMechanismText();
        RefreshSpeciesList();
        RefreshReducedText();
        RefreshCaptions();
        DisableRunsWithoutMechanism();
        ShowFileError(result.mechanism.error);
        return;
    }
    // The folder's earlier reduced mechanism makes the reduced test and the comparison available.
    const bool reduced = vantor::RestoreReducedMechanism(model_, workDirectory_);
    ApplyOpenedMechanism(result.mechanism.messages, false);
    if (reduced)
        sink_->AddLine("> The reduced mechanism " + workDirectory_ + "/" + vantor::kReducedMechanismFileName +
                       " of the work folder is loaded again.");
}

void TPruvexForm::PRJSaveClick() {
    if (!MFile_PRJSave->isEnabled()) return;
    const QString path = ChooseFile(this, "ProjSaveDlg", "Project save", WorkDirectory(),
                                    "Project File(*.PRJ *.prj *.Prj);;All Files(*)", "PRJ", true, "Chem.PRJ");
    if (path.isEmpty()) return;
    vantor::ProjectData project;
    project.method = CheckedMethod();
    project.targetSpecies = targetSpecies_;
    project.mechanismPath = model_.MechanismPath;
    for (int row = 1; row <= vantor::kProjectGridRows; ++row) {
        vantor::ProjectGridRow& cells = project.grid[static_cast<size_t>(row - 1)];
        cells.unit = ParGrid->Cell(row, vantor::kUnitColumn).toStdString();
        cells.value = ParGrid->Cell(row, vantor::kValueColumn).toStdString();
    }
    project.mixtureLines = MemoLines(MixtureMemo);
    project.thermoPath = model_.ThermoPath;
    project.transportPath = model_.TransportPath;
    project.alwaysKept = alwaysKept_;
    project.reactorCases = reactorCases_;
    std::string error;
    if (!vantor::SaveProject(LocalPath(path), project, &error)) ShowFileError(error);
}

void TPruvexForm::INPSaveClick() {
    if (!model_.ReducedInpReady) return;
    const QString path =
        ChooseFile(this, "InpSaveDlg", "Skeletal inp file save", WorkDirectory(), kChemistryFilter, "Inp", true);
    if (path.isEmpty()) return;
    std::string error;
    if (!vantor::WriteFileAtomically(LocalPath(path), vantor::JoinCrLf(model_.ReducedText), &error))
        ShowFileError(error);
}

void TPruvexForm::ExportKeptClick() {
    if (model_.Species.empty()) return;
    const QString path = ChooseFile(this, "TxtSaveDlg", "Kept species list dat", WorkDirectory(),
                                    "Text file(*.txt);;All file(*)", "txt", true);
    if (path.isEmpty()) return;
    std::string error;
    if (!vantor::ExportKeptSpecies(model_, LocalPath(path),
                                   vantor::FormatLocalTimestamp(std::chrono::system_clock::now()), &error))
        ShowFileError(error);
}

void TPruvexForm::ExportTrimmedClick() {
    if (model_.Species.empty()) return;
    const QString path = ChooseFile(this, "TxtSaveDlg", "Trimed species data", WorkDirectory(),
                                    "Text file(*.txt);;All file(*)", "txt", true);
    if (path.isEmpty()) return;
    std::string error;
    if (!vantor::ExportTrimmedSpecies(model_, LocalPath(path),
                                      vantor::FormatLocalTimestamp(std::chrono::system_clock::now()), &error))
        ShowFileError(error);
}

void TPruvexForm::ExitClick() { close(); }

void TPruvexForm::WorkDirectoryClick() {
    const QString folder = QFileDialog::getExistingDirectory(this, "Select work directory", WorkDirectory());
    if (!folder.isEmpty()) workDirectory_ = LocalPath(folder);
}
