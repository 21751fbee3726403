#include "app/workbench/compdat_form.h"

#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/workbench/cmp_error_page.h"
#include "app/workbench/cmp_plot_page.h"
#include "common/atomic_file.h"

TCmpDataForm::TCmpDataForm(const QString& workDirectory, QWidget* parent, const QStringList& mixtureLines,
                           const QString& mechanismPath)
    // A dialog of the main window: above it, but not above other applications' windows.
    : QDialog(parent), workDirectory_(workDirectory), mechanismPath_(mechanismPath) {
    for (const QString& line : mixtureLines)
        if (!line.trimmed().isEmpty()) mixtureLines_ << line.trimmed();
    setObjectName("CmpDataForm");
    setWindowTitle("Chemistry comparison");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    // Room for a plot's labels and for the error table's columns.
    resize(900, 640);

    DatMemo_ = new QPlainTextEdit(this);
    DatMemo_->setObjectName("DatMemo");
    DatMemo_->setReadOnly(true);
    DatMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    DatMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DatMemo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* pages = new QTabWidget(this);
    pages->setObjectName("CmpPages");
    pages->addTab(DatMemo_, "Text");
    plotPage_ = new CmpPlotPage(this);
    pages->addTab(plotPage_, "Plots");
    errorPage_ = new CmpErrorPage(this);
    pages->addTab(errorPage_, "Errors");

    auto* save = new QPushButton("Save", this);
    save->setObjectName("SaveBtn");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(save, &QPushButton::clicked, this, &TCmpDataForm::SaveClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
}

void TCmpDataForm::showEvent(QShowEvent* event) {
    if (!loaded_) LoadReport();
    QDialog::showEvent(event);
}

// The report holds CR LF, LF and lone CR line ends (its case lines begin with LF CR); each of
// them ends a line of the memo.
void TCmpDataForm::LoadReport() {
    loaded_ = true;
    plotPage_->Load(workDirectory_, mixtureLines_, mechanismPath_);
    errorPage_->Load(workDirectory_, plotPage_->MixtureNames(), plotPage_->CasesPerMixture());
    QFile file(workDirectory_ + "/CMP.dat");
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) return;
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QRegularExpression("\r\n|\n|\r"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    DatMemo_->setPlainText(lines.join('\n'));
}

bool TCmpDataForm::SaveTo(const QString& path, QString* error) const {
    QStringList lines = DatMemo_->toPlainText().split('\n');
    if (DatMemo_->toPlainText().isEmpty()) lines.clear();
    std::string content;
    for (const QString& line : lines) content += line.toStdString() + "\r\n";
    std::string reason;
    if (vantor::WriteFileAtomically(path.toStdString(), content, &reason)) return true;
    if (error) *error = QString::fromStdString(reason);
    return false;
}

void TCmpDataForm::SaveClick() {
    QFileDialog dialog(this, "Save", workDirectory_, "Data file(*.dat);;All file(*)");
    dialog.setObjectName("CmpSaveDlg");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("dat");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString error;
    if (!SaveTo(dialog.selectedFiles().first(), &error)) QMessageBox::critical(this, "Vantor4", error);
}
