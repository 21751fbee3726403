#include "app/workbench/cmp_error_page.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/atomic_file.h"

namespace {

constexpr int kShownDigits = 6;

// A number with a few digits for reading; the tooltip and the CSV keep every digit.
QTableWidgetItem* Cell(const std::string& text) {
    const QString full = QString::fromStdString(text);
    bool number = false;
    const double value = full.toDouble(&number);
    auto* item = new QTableWidgetItem(number ? QString::number(value, 'g', kShownDigits) : full);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(full);
    }
    return item;
}

QTableWidget* NewTable(const char* name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

}  // namespace

CmpErrorPage::CmpErrorPage(QWidget* parent) : QWidget(parent) {
    setObjectName("ErrorPage");
    cases_ = NewTable("ErrorCaseTable", this);
    groups_ = NewTable("ErrorGroupTable", this);
    message_ = new QLabel("Result data are not exist", this);
    message_->setObjectName("ErrorMessage");
    message_->setWordWrap(true);
    exportButton_ = new QPushButton("Export CSV...", this);
    exportButton_->setObjectName("ExportCsvBtn");
    exportButton_->setEnabled(false);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(cases_);
    split->addWidget(groups_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    auto* controls = new QHBoxLayout;
    controls->addWidget(message_);
    controls->addStretch();
    controls->addWidget(exportButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(split, 1);
    connect(exportButton_, &QPushButton::clicked, this, &CmpErrorPage::ExportClick);
}

void CmpErrorPage::Load(const QString& workDirectory, const std::vector<std::string>& mixtureLines,
                        int casesPerMixture) {
    workDirectory_ = workDirectory;
    std::string error;
    const bool read = vantor::ReadErrorTable(workDirectory.toStdString(), casesPerMixture > 0 ? mixtureLines
                                                                                             : std::vector<std::string>{},
                                             casesPerMixture, table_, &error);
    if (!read) table_ = {};
    message_->setText(read ? QString() : "Result data are not exist");
    message_->setVisible(!read);
    exportButton_->setEnabled(read);
    Show(cases_, table_.caseHeader, table_.cases);
    Show(groups_, table_.groupHeader, table_.groups);
}

void CmpErrorPage::Show(QTableWidget* view, const std::vector<std::string>& header,
                        const std::vector<std::vector<std::string>>& rows) {
    view->clear();
    view->setColumnCount(static_cast<int>(header.size()));
    view->setRowCount(static_cast<int>(rows.size()));
    QStringList titles;
    for (const std::string& title : header) titles << QString::fromStdString(title);
    view->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < view->rowCount(); ++r)
        for (int c = 0; c < view->columnCount() && c < static_cast<int>(rows[r].size()); ++c)
            view->setItem(r, c, Cell(rows[r][c]));
    view->resizeColumnsToContents();
}

bool CmpErrorPage::ExportTo(const QString& path, QString* error) const {
    std::string reason;
    if (vantor::WriteFileAtomically(path.toStdString(), vantor::ErrorTableCsv(table_), &reason)) return true;
    if (error) *error = QString::fromStdString(reason);
    return false;
}

void CmpErrorPage::ExportClick() {
    QFileDialog dialog(this, "Export CSV", QDir(workDirectory_).filePath(vantor::kErrorTableFileName),
                       "CSV file(*.csv);;All file(*)");
    dialog.setObjectName("ErrorExportDlg");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("csv");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    QString error;
    if (!ExportTo(path, &error)) return void(QMessageBox::critical(this, "Vantor4", error));
    auto* done = new QMessageBox(QMessageBox::Information, "Export CSV", "Error table saved as " + path + ".",
                                 QMessageBox::Ok, this);
    done->setObjectName("ErrorSavedBox");
    done->setAttribute(Qt::WA_DeleteOnClose);
    done->open();
}
