// The species-list commands of the "&Reduction" menu (hidden in the delivered menu): the species
// list rebuilt from the text, the trimmed-species reader, and the name, number and reaction lists.

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/trimming.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/pruvex_form.h"

void TPruvexForm::AfterMarksChanged() {
    RefreshSpeciesList();
    RefreshCaptions();
}

QString TPruvexForm::ChooseListFile() {
    QFileDialog dialog(this, "Open", WorkDirectory(), "Trimmed File(*.trm *.TRM);;All file(*)");
    dialog.setObjectName("OpenDialog2");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("trm");
    dialog.selectFile("SP.trm");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void TPruvexForm::CreateSpeciesListClick() {
    for (const std::string& line : vantor::CreateSpeciesList(model_)) sink_->AddLine(line);
    AfterMarksChanged();
}

void TPruvexForm::TrimSpeciesClick() {
    model_.KeepCaption.clear();
    model_.ReducedCountsCaption.clear();
    sink_->ResetErrorFlag();
    const std::string line = vantor::TrimSpeciesAndReactions(model_);
    if (line.rfind("<E> ", 0) == 0)
        vantor::ReportError(*sink_, line);
    else
        sink_->AddLine(line);
    AfterMarksChanged();
}

void TPruvexForm::RemoveBySpeciesNameClick() {
    const QString path = ChooseListFile();
    if (path.isEmpty()) return;
    const vantor::TrimCommandResult result = vantor::RemoveBySpeciesName(model_, QFile::encodeName(path).toStdString());
    AfterMarksChanged();
    if (!result.ok) ShowFileError(result.error);
}

void TPruvexForm::KeepBySpeciesNameClick() {
    const QString path = ChooseListFile();
    if (path.isEmpty()) return;
    const vantor::TrimCommandResult result = vantor::KeepBySpeciesName(model_, QFile::encodeName(path).toStdString());
    AfterMarksChanged();
    if (!result.ok) ShowFileError(result.error);
}

void TPruvexForm::KeepBySpeciesNumberClick() {
    const QString path = ChooseListFile();
    if (path.isEmpty()) return;
    const vantor::TrimCommandResult result = vantor::KeepBySpeciesNumber(model_, QFile::encodeName(path).toStdString());
    AfterMarksChanged();
    if (!result.ok) ShowFileError(result.error);
}

// The chosen file is the reaction-number list; the trimmed-species path of the last generation
// is kept for the commands that read it.
void TPruvexForm::RemoveByReactionClick() {
    const QString path = ChooseListFile();
    if (path.isEmpty()) return;
    const std::string trimmedSpeciesPath = model_.TrimmedSpeciesPath;
    model_.TrimmedSpeciesPath = QFile::encodeName(path).toStdString();
    const vantor::ReactionTrimResult result = vantor::RemoveByReactionNumber(model_, workDirectory_);
    model_.TrimmedSpeciesPath = trimmedSpeciesPath;
    RefreshMechanismText();
    AfterMarksChanged();
    if (!result.ok) {
        ShowFileError(result.error);
        return;
    }
    if (!result.confirmation.empty())
        QMessageBox::information(this, "Vantor4", QString::fromStdString(result.confirmation));
}
