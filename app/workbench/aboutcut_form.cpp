#include "app/workbench/aboutcut_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutCutForm::TAboutCutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutCutForm");
    setWindowTitle("About");
    setModal(true);

    AboutL_ = new QLabel(AboutText(), this);
    AboutL_->setObjectName("AboutL");
    AboutL_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("ExitBtn");
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AboutL_);
    layout->addLayout(buttons);
}

QString TAboutCutForm::AboutText() {
    const QStringList lines{
        "This software can be used to reduce a chemistry ",
        "based on the PFA reduction method.",
        "",
        "Written by the Vantor developers, 2021.",
        "",
        "Combustion chemistry reduction group",
        "https://vantor.example.org",
        "Updated @Dec.,2021 No.20211212R1",
    };
    return lines.join('\n');
}
