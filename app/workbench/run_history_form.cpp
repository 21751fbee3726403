#include "app/workbench/run_history_form.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/standard_data_cases.h"
#include "app/plot_render/plot_charts.h"

using namespace vantor;

namespace {

QString Counts(int kept, int all) {
    if (kept < 0) return "-";
    return all < 0 ? QString::number(kept) : QString("%1 of %2").arg(kept).arg(all);
}

QString Largest(const history::RunSummary& s) {
    if (s.largestPercent) return QString::number(*s.largestPercent, 'f', 2) + " %";
    return s.comparisonNote.empty() ? QString("-") : QString::fromStdString(s.comparisonNote);
}

// A search's threshold comes from repeated steps: 0.8200000000000001 is shown as 0.82, and the
// summary keeps the exact value.
QString Threshold(const std::string& text) {
    bool ok = false;
    const double value = QString::fromStdString(text).toDouble(&ok);
    return ok ? QString::number(value, 'g', 10) : QString::fromStdString(text);
}

}  // namespace

TRunHistoryForm::TRunHistoryForm(const QString& workDirectory, QWidget* parent) : QDialog(parent) {
    setObjectName("TRunHistoryForm");
    setWindowTitle("Run history");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1280, 720);  // two delay plots with their legends side by side
    runs_ = history::ListRuns(workDirectory.toStdString());

    RunsTable = new QTableWidget(this);
    RunsTable->setObjectName("RunsTable");
    SideBySidePanel = new QWidget;
    SideBySidePanel->setObjectName("SideBySidePanel");
    sideLayout_ = new QGridLayout(SideBySidePanel);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(SideBySidePanel);
    message_ = new QLabel(runs_.empty() ? "No run is kept in " + workDirectory + "/runs yet."
                                        : "Check two or more runs and press \"Side by side\".",
                          this);
    message_->setObjectName("HistoryMessage");

    auto* side = new QPushButton("Side by side", this);
    side->setObjectName("SideBySideBtn");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseBtn");
    connect(side, &QPushButton::clicked, this, &TRunHistoryForm::SideBySideClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(RunsTable);
    splitter->addWidget(scroll);
    splitter->setStretchFactor(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(message_, 1);
    buttons->addWidget(side);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);
    FillTable();
}

void TRunHistoryForm::FillTable() {
    const QStringList headers{"Run", "Kind", "Method", "Threshold", "Species kept", "Reactions kept",
                              "Largest difference", "Always kept"};
    RunsTable->setColumnCount(static_cast<int>(headers.size()));
    RunsTable->setHorizontalHeaderLabels(headers);
    RunsTable->setRowCount(static_cast<int>(runs_.size()));
    RunsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RunsTable->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(runs_.size()); ++row) {
        const history::RunSummary& s = runs_[static_cast<size_t>(row)].summary;
        const QStringList cells{QString::fromStdString(runs_[static_cast<size_t>(row)].name),
                                QString::fromStdString(s.kind),
                                QString::fromStdString(s.method),
                                Threshold(s.threshold),
                                Counts(s.keptSpecies, s.detailedSpecies),
                                Counts(s.keptReactions, s.detailedReactions),
                                Largest(s),
                                QString::fromStdString(s.alwaysKept)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 0) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
            }
            RunsTable->setItem(row, column, item);
        }
    }
    RunsTable->resizeColumnsToContents();
}

bool TRunHistoryForm::ShowSideBySide(const QStringList& names) {
    for (int row = 0; row < RunsTable->rowCount(); ++row)
        RunsTable->item(row, 0)->setCheckState(names.contains(RunsTable->item(row, 0)->text()) ? Qt::Checked
                                                                                               : Qt::Unchecked);
    SideBySideClick();
    return shown_ >= 2;
}

void TRunHistoryForm::SideBySideClick() {
    std::vector<const history::HistoryEntry*> chosen;
    for (int row = 0; row < RunsTable->rowCount(); ++row)
        if (RunsTable->item(row, 0)->checkState() == Qt::Checked) chosen.push_back(&runs_[static_cast<size_t>(row)]);
    if (chosen.size() < 2) {
        message_->setText("Check two or more runs to set them side by side.");
        return;
    }
    while (QLayoutItem* item = sideLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (size_t i = 0; i < chosen.size(); ++i) sideLayout_->addWidget(RunColumn(*chosen[i]), 0, static_cast<int>(i));
    shown_ = static_cast<int>(chosen.size());
    message_->setText(QString("%1 runs side by side.").arg(shown_));
}

// One run: its name, what it kept, how far it is from the detailed mechanism, its delay plot.
QWidget* TRunHistoryForm::RunColumn(const history::HistoryEntry& run) {
    auto* column = new QWidget;
    column->setObjectName("RunColumn");
    const history::RunSummary& s = run.summary;
    auto* caption = new QLabel(QString("<b>%1</b><br>%2, %3, threshold %4<br>Species kept: %5<br>Reactions kept: "
                                       "%6<br>Largest difference: %7")
                                   .arg(QString::fromStdString(run.name), QString::fromStdString(s.kind),
                                        QString::fromStdString(s.method), Threshold(s.threshold),
                                        Counts(s.keptSpecies, s.detailedSpecies),
                                        Counts(s.keptReactions, s.detailedReactions), Largest(s)),
                               column);
    caption->setObjectName("RunCaption");
    caption->setTextFormat(Qt::RichText);
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(caption);

    const std::string folder = run.folder;
    const auto detailed = plots::ReadStandardDataCases(folder + "/SAVE.dat", "SAVE.dat");
    // An integrated run has no reduced test: its plot shows the detailed delays alone.
    const auto reduced = plots::ReadStandardDataCases(folder + "/New_SAVE.dat", "New_SAVE.dat");
    if (detailed.problem != plots::ReadProblem::kNone || reduced.problem == plots::ReadProblem::kDamaged) {
        auto* note = new QLabel(QString::fromStdString(
                                    detailed.problem != plots::ReadProblem::kNone ? detailed.error : reduced.error),
                                column);
        note->setWordWrap(true);
        layout->addWidget(note, 1);
        return column;
    }
    const plots::DelayPlotData plot = plots::BuildDelayPlot(detailed.data, reduced.data);
    auto* view = new QChartView(plot_render::MakeDelayChart(plot), column);
    view->setObjectName("RunDelayPlot");
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 300);
    layout->addWidget(view, 1);
    return column;
}
