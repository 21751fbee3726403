#include "app/workbench/candidate_table_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString ResultText(const vantor::search::CandidateRow& row) {
    switch (row.result) {
        case vantor::search::CandidateResult::Within:
            return "within";
        case vantor::search::CandidateResult::Same:
            return QString("same as %1").arg(row.sameAs);
        default:
            return "outside";
    }
}

}  // namespace

TCandidateTableForm::TCandidateTableForm(const std::vector<vantor::search::CandidateRow>& rows, int chosen,
                                         const QString& summary, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TCandidateTableForm");
    setWindowTitle("Target search: candidates");
    resize(820, 420);
    auto* layout = new QVBoxLayout(this);
    auto* summaryLabel = new QLabel(summary, this);
    summaryLabel->setObjectName("SummaryL");
    layout->addWidget(summaryLabel);
    CandidateGrid = new QTableWidget(static_cast<int>(rows.size()), 9, this);
    CandidateGrid->setObjectName("CandidateGrid");
    CandidateGrid->setHorizontalHeaderLabels({"Kind", "Threshold / removed", "Species", "Reactions",
                                              "Largest diff. (%)", "Worst case", "Cases run", "Wall (s)", "Result"});
    CandidateGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto& r = rows[static_cast<size_t>(i)];
        const QStringList cells{
            r.removal ? "remove" : "threshold",
            r.removal ? QString::fromStdString(r.removedSpecies) : QString::number(r.threshold, 'f', 4),
            QString::number(r.species),
            QString::number(r.reactions),
            QString::fromStdString(vantor::search::FormatDifference(r.largest, 2)),
            QString::number(r.worstCase),
            QString("%1/%2").arg(r.casesRun).arg(r.caseCount),
            QString::number(r.wallSeconds, 'f', 1),
            ResultText(r)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (r.number == chosen) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            CandidateGrid->setItem(i, c, item);
        }
    }
    CandidateGrid->verticalHeader()->setDefaultSectionSize(20);
    CandidateGrid->resizeColumnsToContents();
    layout->addWidget(CandidateGrid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
}
