// The window's lists and captions as views of the mechanism model: the model holds the text,
// the marks and the captions; the lists show them and hand the user's ticks back.

#include <QLabel>
#include <QListWidget>
#include <QStatusBar>

#include "app/core/mechanism/trimming.h"
#include "app/workbench/list_fill.h"
#include "app/workbench/pruvex_form.h"

void TPruvexForm::RefreshSpeciesList() { vantor::FillSpeciesList(SP_CheckListBox, model_); }

void TPruvexForm::RefreshMechanismText() { vantor::FillMechanismText(OINP_CheckListBox, model_); }

void TPruvexForm::RefreshReducedText() { vantor::FillReducedText(NEWINP_ListBox, model_); }

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
