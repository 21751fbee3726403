// The window's lists and captions as views of the mechanism model: the model holds the text,
// the marks and the captions; the lists show them and hand the user's ticks back.

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStatusBar>

#include "app/core/mechanism/trimming.h"
#include "app/workbench/pruvex_form.h"

namespace {

void FillCheckList(QListWidget* list, const std::vector<QString>& texts, const std::vector<bool>& marks) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (size_t i = 0; i < texts.size(); ++i) {
        auto* item = new QListWidgetItem(texts[i], list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(marks[i] ? Qt::Checked : Qt::Unchecked);
    }
}

}  // namespace

void TPruvexForm::RefreshSpeciesList() {
    std::vector<QString> names;
    std::vector<bool> marks;
    for (const auto& species : model_.Species) {
        names.push_back(QString::fromStdString(species.name));
        marks.push_back(species.checked);
    }
    FillCheckList(SP_CheckListBox, names, marks);
}

void TPruvexForm::RefreshMechanismText() {
    std::vector<QString> lines;
    std::vector<bool> marks;
    lines.reserve(model_.MechanismText.size());
    for (const auto& line : model_.MechanismText) {
        lines.push_back(QString::fromStdString(line.text));
        marks.push_back(line.kept);
    }
    FillCheckList(OINP_CheckListBox, lines, marks);
}

// An item of the efficiency clean-up holds two lines joined by CR LF; it shows as two lines.
void TPruvexForm::RefreshReducedText() {
    NEWINP_ListBox->clear();
    for (const std::string& item : model_.ReducedText)
        NEWINP_ListBox->addItem(QString::fromStdString(item).remove('\r'));
}

void TPruvexForm::RefreshCaptions() {
    if (!model_.SpeciesTitleCaption.empty()) SPTitleL->setText(QString::fromStdString(model_.SpeciesTitleCaption));
    KeepL->setText(QString::fromStdString(model_.KeepCaption));
    StatusPanel1->setText(QString::fromStdString(model_.ReducedCountsCaption));
    // The reaction-trim caption needs room to be read; without one the panel is a 2-pixel strip.
    InpPanel->setText(QString::fromStdString(model_.ReactionTrimCaption));
    InpPanel->setFixedHeight(model_.ReactionTrimCaption.empty() ? 2 : InpPanel->fontMetrics().height() + 4);
}

void TPruvexForm::SpeciesItemChanged(int row) {
    if (row < 0 || static_cast<size_t>(row) >= model_.Species.size()) return;
    model_.Species[static_cast<size_t>(row)].checked = SP_CheckListBox->item(row)->checkState() == Qt::Checked;
    SpeciesCountUpdate();
}

void TPruvexForm::SpeciesCountUpdate() {
    vantor::UpdateSpeciesCounts(model_);
    KeepL->setText(QString::fromStdString(model_.KeepCaption));
}

void TPruvexForm::MechanismLineChanged(int row) {
    if (row < 0 || static_cast<size_t>(row) >= model_.MechanismText.size()) return;
    model_.MechanismText[static_cast<size_t>(row)].kept = OINP_CheckListBox->item(row)->checkState() == Qt::Checked;
}
