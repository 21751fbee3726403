#include "app/runner/irset_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TIRSetForm::TIRSetForm(std::array<bool, 4>& choices, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), choices_(choices) {
    setObjectName("IRSetForm");
    setWindowTitle("Integerated running set");
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    const auto addBox = [&](const char* name, const char* caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        layout->addWidget(box);
        return box;
    };
    boxes_[0] = addBox("TolmarCH", "Create chem.bin");
    // The transport binary is never part of an integrated run; the box only shows that.
    QCheckBox* transport = addBox("ChemtranCH", "Create tran.bin");
    transport->setEnabled(false);
    boxes_[1] = addBox("SenkinCH", "Generate standart data");
    boxes_[2] = addBox("PFACH", "Generate trimmed data");
    boxes_[3] = addBox("TrimCH", "Trim species and reactions");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setObjectName("OKBtn");
    cancel->setObjectName("CancelBtn");
    ok->setDefault(true);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        StoreChoices();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TIRSetForm::showEvent(QShowEvent* event) {
    for (size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(choices_[i]);
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TIRSetForm::StoreChoices() {
    for (size_t i = 0; i < boxes_.size(); ++i) choices_[i] = boxes_[i]->isChecked();
}
