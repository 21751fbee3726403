// "Thermo file..." and "Transport file...": the opened mechanism's thermo and transport data
// under the names they ship with, in place of "Therm.dat" and "Tran.dat" beside it. The choice
// lasts until the next open and is saved with the project.

#include <QFile>
#include <QFileDialog>

#include "app/workbench/message_memo.h"
#include "app/workbench/pruvex_form.h"

void TPruvexForm::ChooseDataFile(bool thermo) {
    if (RefuseWhileRunning()) return;
    if (model_.MechanismPath.empty()) {
        vantor::ReportError(*sink_, "<E> Open a mechanism first: its thermo and transport files go with it.");
        return;
    }
    QFileDialog dialog(this, thermo ? "Open a thermo data file" : "Open a transport data file", WorkDirectory() + "/",
                       "All file(*)");
    dialog.setObjectName(thermo ? "ThermoDialog" : "TransportDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const std::string path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    (thermo ? model_.ThermoPath : model_.TransportPath) = path;
    sink_->AddLine((thermo ? "> Thermo data: " : "> Transport data: ") + path);
}

void TPruvexForm::AnnounceDataFiles() {
    if (!model_.ThermoPath.empty()) sink_->AddLine("> Thermo data: " + model_.ThermoPath);
    if (!model_.TransportPath.empty()) sink_->AddLine("> Transport data: " + model_.TransportPath);
}

void TPruvexForm::ThermoFileClick() { ChooseDataFile(true); }
void TPruvexForm::TransportFileClick() { ChooseDataFile(false); }
