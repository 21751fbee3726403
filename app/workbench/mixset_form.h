#pragma once
// The mixture wizard "Mixture setting wizard ": a fuel made of mechanism species, air or pure
// oxygen, and a list of stoichiometric ratios give one mixture line per ratio. The fuel list,
// the ratios and the oxidizer choice are kept between openings.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "app/core/pipeline/number_text.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

class TMixSetForm : public QDialog {
    Q_OBJECT
public:
    TMixSetForm(vantor::LocaleNumbers numbers, QWidget* parent = nullptr);

    // Fills the species list, shows the wizard modally and, on OK, returns the mixture lines
    // (nullopt when cancelled or when no fuel was defined: the mixtures then stay as they are).
    std::optional<std::vector<std::string>> Execute(const std::vector<std::string>& speciesNames);

    // The mixture lines of the current fuel, ratios and oxidizer.
    std::optional<std::vector<std::string>> BuildLines() const;

private:
    void Populate(const std::vector<std::string>& speciesNames);
    void CopySelectedName();
    void AddToFuelClick();

    vantor::LocaleNumbers numbers_;
    bool lowerCaseNames_ = false;  // the O2Sel tag: 0 upper-case oxygen and nitrogen, 1 lower

    QListWidget* SpListBox_ = nullptr;
    QLineEdit* SelSPE_ = nullptr;
    QLineEdit* SpmolE_ = nullptr;
    QPlainTextEdit* MixM_ = nullptr;
    QPlainTextEdit* PHIM_ = nullptr;
    QRadioButton* Airsel_ = nullptr;
    QRadioButton* O2Sel_ = nullptr;
};
