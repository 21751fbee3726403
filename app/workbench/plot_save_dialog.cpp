#include "app/workbench/plot_save_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int kSmallest = 100;
constexpr int kLargest = 20000;  // a poster; beyond this the image would need gigabytes

QSpinBox* SizeBox(const char* name, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(kSmallest, kLargest);
    box->setValue(value);
    box->setSuffix(" px");
    return box;
}

}  // namespace

PlotSaveDialog::PlotSaveDialog(const QString& folder, QSize size, QWidget* parent) : QDialog(parent) {
    setObjectName("PlotSaveDlg");
    setWindowTitle("Save plot");
    fileEdit_ = new QLineEdit(QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath("plot"), this);
    fileEdit_->setObjectName("PlotFileE");
    fileEdit_->setMinimumWidth(360);
    auto* browse = new QPushButton("Browse...", this);
    browse->setObjectName("PlotBrowseBtn");
    widthBox_ = SizeBox("PlotWidthE", size.width(), this);
    heightBox_ = SizeBox("PlotHeightE", size.height(), this);

    auto* file = new QHBoxLayout;
    file->addWidget(fileEdit_, 1);
    file->addWidget(browse);
    auto* dimensions = new QHBoxLayout;
    dimensions->addWidget(widthBox_);
    dimensions->addWidget(new QLabel("x", this));
    dimensions->addWidget(heightBox_);
    dimensions->addStretch();
    auto* form = new QFormLayout;
    form->addRow("File (.png and .svg):", file);
    form->addRow("Size:", dimensions);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &PlotSaveDialog::BrowseClick);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!Base().isEmpty()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString PlotSaveDialog::Base() const {
    QString base = fileEdit_->text().trimmed();
    if (base.endsWith(".png", Qt::CaseInsensitive) || base.endsWith(".svg", Qt::CaseInsensitive)) base.chop(4);
    return base;
}

QSize PlotSaveDialog::PlotSize() const { return {widthBox_->value(), heightBox_->value()}; }

void PlotSaveDialog::BrowseClick() {
    const QString path = QFileDialog::getSaveFileName(this, "Save plot", fileEdit_->text(), "Picture (*.png *.svg)");
    if (!path.isEmpty()) fileEdit_->setText(path);
}
