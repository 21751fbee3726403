#pragma once
// The candidate table of a target search, shown when the search ends.

#include <QDialog>
#include <vector>

#include "app/core/search/candidate_table.h"

class QTableWidget;

class TCandidateTableForm : public QDialog {
    Q_OBJECT
public:
    TCandidateTableForm(const std::vector<vantor::search::CandidateRow>& rows, int chosen, const QString& summary,
                        QWidget* parent = nullptr);

private:
    QTableWidget* CandidateGrid = nullptr;
};
