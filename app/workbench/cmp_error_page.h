#pragma once
// The comparison viewer's error table: per case the ignition-delay difference in %, then the
// worst and the mean |difference| per pressure and per mixture; exported as CSV.

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "app/core/pipeline/error_table.h"

class QLabel;
class QPushButton;
class QTableWidget;

class CmpErrorPage : public QWidget {
    Q_OBJECT
public:
    explicit CmpErrorPage(QWidget* parent = nullptr);

    // Reads the standard data of `workDirectory`; `mixtureLines` name the mixtures of the
    // `casesPerMixture` cases each (0: unknown).
    void Load(const QString& workDirectory, const std::vector<std::string>& mixtureLines, int casesPerMixture);
    const vantor::ErrorTable& Table() const { return table_; }

    // Writes the table as CSV to `path`; false with `error` on failure.
    bool ExportTo(const QString& path, QString* error = nullptr) const;

private:
    void Show(QTableWidget* view, const std::vector<std::string>& header,
              const std::vector<std::vector<std::string>>& rows);
    void ExportClick();

    QTableWidget* cases_ = nullptr;
    QTableWidget* groups_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QString workDirectory_;
    vantor::ErrorTable table_;
};
