// "Always-kept species..." of the "Setting" menu and "Run history..." of the "&Post" menu.

#include <QInputDialog>
#include <QLineEdit>

#include "app/core/pipeline/always_kept.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/run_history_form.h"

void TPruvexForm::AlwaysKeptClick() {
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, "Always-kept species", "Species every method keeps, whatever it finds (blanks or commas between):",
        QLineEdit::Normal, QString::fromStdString(alwaysKept_), &ok);
    if (!ok) return;
    alwaysKept_ = vantor::JoinSpeciesNames(vantor::SplitSpeciesNames(text.toStdString()));
    sink_->AddLine(alwaysKept_.empty() ? "> No species is always kept." : "> Always kept: " + alwaysKept_);
}

void TPruvexForm::RunHistoryClick() {
    auto* form = new TRunHistoryForm(WorkDirectory(), this);
    form->show();
}
