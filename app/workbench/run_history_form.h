#pragma once
// "Run history": the runs kept under the work folder's runs/ (run_history.h) as a table, and two
// or more of them side by side: species kept, largest delay difference and the delay plot of each.

#include <QDialog>
#include <vector>

#include "app/core/history/run_history.h"

class QGridLayout;
class QLabel;
class QTableWidget;
class QWidget;

class TRunHistoryForm : public QDialog {
    Q_OBJECT
public:
    explicit TRunHistoryForm(const QString& workDirectory, QWidget* parent = nullptr);

    // Checks the rows of these folder names and sets them side by side; false when fewer than
    // two are checked (the message says so).
    bool ShowSideBySide(const QStringList& names);
    int RunCount() const { return static_cast<int>(runs_.size()); }
    int ShownCount() const { return shown_; }

private:
    void FillTable();
    void SideBySideClick();
    QWidget* RunColumn(const vantor::history::HistoryEntry& run);

    std::vector<vantor::history::HistoryEntry> runs_;
    QTableWidget* RunsTable = nullptr;
    QWidget* SideBySidePanel = nullptr;
    QGridLayout* sideLayout_ = nullptr;
    QLabel* message_ = nullptr;
    int shown_ = 0;
};
