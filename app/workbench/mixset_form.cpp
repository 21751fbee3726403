#include "app/workbench/mixset_form.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/core/mechanism/mixture_wizard.h"
#include "app/workbench/memo_lines.h"

namespace {

QGroupBox* Group(const char* title, QWidget* content, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(content);
    return group;
}

}  // namespace

TMixSetForm::TMixSetForm(vantor::LocaleNumbers numbers, QWidget* parent)
    : QDialog(parent), numbers_(std::move(numbers)) {
    setObjectName("MixSetForm");
    setWindowTitle("Mixture setting wizard ");
    setModal(true);

    SpListBox_ = new QListWidget(this);
    SpListBox_->setObjectName("SpListBox");
    SelSPE_ = new QLineEdit(this);
    SelSPE_->setObjectName("SelSPE");
    SpmolE_ = new QLineEdit("1.0", this);
    SpmolE_->setObjectName("SpmolE");
    auto* addFuel = new QPushButton("Add to Fuel >>", this);
    addFuel->setObjectName("AddFuelB");
    addFuel->setAutoDefault(false);
    MixM_ = new QPlainTextEdit(this);
    MixM_->setObjectName("MixM");
    PHIM_ = new QPlainTextEdit("0.5\n1.0\n1.5", this);
    PHIM_->setObjectName("PHIM");
    Airsel_ = new QRadioButton("Air", this);
    Airsel_->setObjectName("Airsel");
    Airsel_->setChecked(true);
    O2Sel_ = new QRadioButton("O2", this);
    O2Sel_->setObjectName("O2Sel");

    auto* selected = new QWidget(this);
    auto* selectedLayout = new QGridLayout(selected);
    selectedLayout->setContentsMargins(0, 0, 0, 0);
    selectedLayout->addWidget(SelSPE_, 0, 0, 1, 2);
    selectedLayout->addWidget(new QLabel("mole     ", this), 1, 0);
    selectedLayout->addWidget(SpmolE_, 1, 1);
    selectedLayout->addWidget(addFuel, 2, 0, 1, 2);
    selectedLayout->setRowStretch(3, 1);

    auto* oxidizer = new QWidget(this);
    auto* oxidizerLayout = new QVBoxLayout(oxidizer);
    oxidizerLayout->setContentsMargins(0, 0, 0, 0);
    oxidizerLayout->addWidget(Airsel_);
    oxidizerLayout->addWidget(O2Sel_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setObjectName("OKBtn");
    cancel->setObjectName("CancelBtn");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Group("Select list", SpListBox_, this), 0, 0, 2, 1);
    grid->addWidget(Group("Selected species", selected, this), 0, 1);
    grid->addWidget(Group("Defined fuel", MixM_, this), 0, 2);
    grid->addWidget(Group("Stoichiometric ratio", PHIM_, this), 1, 1);
    grid->addWidget(Group("Oxidizer", oxidizer, this), 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 3);
    resize(560, 360);

    connect(SpListBox_, &QListWidget::currentRowChanged, this, [this] { CopySelectedName(); });
    connect(SpListBox_, &QListWidget::itemPressed, this, [this] { CopySelectedName(); });
    connect(addFuel, &QPushButton::clicked, this, &TMixSetForm::AddToFuelClick);
}

void TMixSetForm::Populate(const std::vector<std::string>& speciesNames) {
    SpListBox_->clear();
    MixM_->clear();
    O2Sel_->setText(QString());
    for (const std::string& name : speciesNames) SpListBox_->addItem(QString::fromStdString(name));
    const vantor::OxidizerNaming naming = vantor::DetectOxidizerNaming(speciesNames, lowerCaseNames_);
    if (!naming.airCaption.empty()) {
        Airsel_->setText(QString::fromStdString(naming.airCaption));
        O2Sel_->setText(QString::fromStdString(naming.oxygenCaption));
    }
    lowerCaseNames_ = naming.lowerCase;
}

std::optional<std::vector<std::string>> TMixSetForm::Execute(const std::vector<std::string>& speciesNames) {
    Populate(speciesNames);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return BuildLines();
}

std::optional<std::vector<std::string>> TMixSetForm::BuildLines() const {
    vantor::MixtureWizardInput input;
    for (const std::string& line : MemoLines(MixM_)) input.fuelLines.push_back(line);
    for (const std::string& line : MemoLines(PHIM_)) input.ratioLines.push_back(line);
    input.pureOxygen = O2Sel_->isChecked();
    input.lowerCaseNames = lowerCaseNames_;
    input.decimalSeparator = numbers_.decimalSeparator;
    return vantor::BuildMixtureLines(input, numbers_.parse);
}

void TMixSetForm::CopySelectedName() {
    if (const QListWidgetItem* item = SpListBox_->currentItem()) SelSPE_->setText(item->text());
}

void TMixSetForm::AddToFuelClick() {
    if (!numbers_.parse(SpmolE_->text().toStdString())) return;
    MixM_->appendPlainText(SelSPE_->text() + " " + SpmolE_->text());
}
