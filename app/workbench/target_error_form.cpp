#include "app/workbench/target_error_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>

#include "app/workbench/locale_numbers.h"

TTargetErrorForm::TTargetErrorForm(double targetPercent, vantor::EngineMethod method, bool speciesRemoval,
                                   const QString& alwaysKept, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TTargetErrorForm");
    setWindowTitle("Reduce to target error");
    auto* form = new QFormLayout(this);
    TargetE = new QLineEdit(QLocale().toString(targetPercent), this);
    TargetE->setObjectName("TargetE");
    form->addRow("Largest ignition-delay difference (%):", TargetE);
    MethodCB = new QComboBox(this);
    MethodCB->setObjectName("MethodCB");
    MethodCB->addItems({"PFA (KELDA)", "ECF (MORVA)", "DRG (BRENA)", "DRGEP (TOVIK)"});
    MethodCB->setCurrentIndex(static_cast<int>(method));
    form->addRow("Method:", MethodCB);
    RemovalCH = new QCheckBox("Then remove species while within the target", this);
    RemovalCH->setObjectName("RemovalCH");
    RemovalCH->setChecked(speciesRemoval);
    form->addRow(RemovalCH);
    KeepE = new QLineEdit(alwaysKept, this);
    KeepE->setObjectName("KeepE");
    KeepE->setPlaceholderText("NO NO2 A1");
    KeepE->setToolTip("Species every method and the removal keep, whatever they find");
    form->addRow("Always keep:", KeepE);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("TargetButtons");
    connect(buttons, &QDialogButtonBox::accepted, this, &TTargetErrorForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TTargetErrorForm::reject);
    form->addRow(buttons);
}

vantor::EngineMethod TTargetErrorForm::Method() const {
    return static_cast<vantor::EngineMethod>(MethodCB->currentIndex());
}

bool TTargetErrorForm::SpeciesRemoval() const { return RemovalCH->isChecked(); }

QString TTargetErrorForm::AlwaysKept() const { return KeepE->text(); }

void TTargetErrorForm::accept() {
    std::string message;
    const auto target =
        vantor::search::ParseTargetPercent(TargetE->text().toStdString(), message, vantor::UserLocaleNumbers());
    if (!target) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
        return;
    }
    target_ = *target;
    QDialog::accept();
}
