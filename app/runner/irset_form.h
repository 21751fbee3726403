#pragma once
// The integrated-run settings dialog "Integerated running set": which of the four steps an
// integrated run chains (create chem.bin, generate standard data, generate trimmed data, trim
// species and reactions). Modeless and always on top; OK stores the boxes, Cancel does not.

#include <QDialog>
#include <array>

class QCheckBox;

class TIRSetForm : public QDialog {
    Q_OBJECT
public:
    // `choices` is the runner's IntegratedRunChoices; it must outlive the dialog.
    TIRSetForm(std::array<bool, 4>& choices, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StoreChoices();

    std::array<bool, 4>& choices_;
    std::array<QCheckBox*, 4> boxes_{};
};
