#pragma once
// "Reduce to target error...": the dialog that asks for the target (percent), the method and
// whether species are removed after the threshold search, and the species kept whatever the
// engine and the removal say.

#include <QDialog>

#include "app/core/search/target_search.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class TTargetErrorForm : public QDialog {
    Q_OBJECT
public:
    TTargetErrorForm(double targetPercent, vantor::EngineMethod method, bool speciesRemoval,
                     const QString& alwaysKept = {}, QWidget* parent = nullptr);

    // After acceptance: the checked settings.
    double TargetPercent() const { return target_; }
    vantor::EngineMethod Method() const;
    bool SpeciesRemoval() const;
    QString AlwaysKept() const;  // the names as typed, blanks or commas between them

    void accept() override;  // refuses a target that is not a number above 0, with a message

private:
    QLineEdit* TargetE = nullptr;
    QComboBox* MethodCB = nullptr;
    QCheckBox* RemovalCH = nullptr;
    QLineEdit* KeepE = nullptr;
    double target_ = 0.0;
};
