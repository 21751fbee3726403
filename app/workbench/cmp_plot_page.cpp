#include "app/workbench/cmp_plot_page.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QXYSeries>

#include "app/core/plots/history_plot_data.h"
#include "app/core/plots/search_candidates.h"
#include "app/plot_render/plot_charts.h"
#include "app/plot_render/plot_image.h"

using namespace vantor;

CmpPlotPage::CmpPlotPage(QWidget* parent) : QWidget(parent) {
    setObjectName("PlotPage");
    kindBox_ = new QComboBox(this);
    kindBox_->setObjectName("PlotKindBox");
    kindBox_->addItem("Ignition delay", kDelay);
    kindBox_->addItem("Temperature history", kHistory);
    caseBox_ = new QComboBox(this);
    caseBox_->setObjectName("PlotCaseBox");
    caseBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    logTimeBox_ = new QCheckBox("Log time", this);
    logTimeBox_->setObjectName("LogTimeBox");
    saveButton_ = new QPushButton("Save plot...", this);
    saveButton_->setObjectName("SavePlotBtn");
    saveButton_->setToolTip("Saves the shown plot as PNG and SVG");

    view_ = new QChartView(this);
    view_->setObjectName("PlotView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(320, 240);
    message_ = new QLabel(this);
    message_->setObjectName("PlotMessage");
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->hide();

    auto* controls = new QHBoxLayout;
    controls->addWidget(kindBox_);
    controls->addWidget(caseBox_);
    controls->addWidget(logTimeBox_);
    controls->addStretch();
    controls->addWidget(saveButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(message_, 1);

    connect(kindBox_, &QComboBox::currentIndexChanged, this, &CmpPlotPage::Redraw);
    connect(caseBox_, &QComboBox::currentIndexChanged, this, &CmpPlotPage::Redraw);
    connect(logTimeBox_, &QCheckBox::toggled, this, &CmpPlotPage::Redraw);
    connect(saveButton_, &QPushButton::clicked, this, &CmpPlotPage::SavePlotClick);
    ShowMessage("Result data are not exist");
}

CmpPlotPage::~CmpPlotPage() = default;

void CmpPlotPage::Load(const QString& workDirectory, const QStringList& mixtureNames) {
    workDirectory_ = workDirectory;
    mixtureNames_.clear();
    for (const QString& name : mixtureNames) mixtureNames_.push_back(name.toStdString());
    const std::string dir = workDirectory.toStdString();
    OfferCandidates(plots::ReadSearchCandidates(dir));
    auto detailed = plots::ReadStandardDataCases(dir + "/SAVE.dat", "SAVE.dat");
    auto reduced = plots::ReadStandardDataCases(dir + "/New_SAVE.dat", "New_SAVE.dat");
    loaded_ = false;
    for (const auto* read : {&detailed, &reduced}) {
        if (read->problem != plots::ReadProblem::kNone) return ShowMessage(QString::fromStdString(read->error));
    }
    detailed_ = std::move(detailed.data);
    reduced_ = std::move(reduced.data);
    delayPlot_ = plots::BuildDelayPlot(detailed_, reduced_, mixtureNames_);
    loaded_ = true;

    const QSignalBlocker block(caseBox_);
    caseBox_->clear();
    const auto& cases = detailed_.cases.size() >= reduced_.cases.size() ? detailed_ : reduced_;
    const int mixtures = std::max(detailed_.mixtures, reduced_.mixtures);
    for (const plots::StandardDataCase& c : cases.cases)
        caseBox_->addItem(QString::fromStdString(plots::CaseCaption(c, mixtureNames_, mixtures)), c.number);
    Redraw();
}

bool CmpPlotPage::HasPlot() const { return view_->chart() && !view_->isHidden() && (loaded_ || !candidates_.empty()); }

QString CmpPlotPage::Message() const { return message_->isHidden() ? QString() : message_->text(); }

void CmpPlotPage::ShowMessage(const QString& text) {
    message_->setText(text);
    message_->show();
    view_->hide();
    saveButton_->setEnabled(false);
    caseBox_->setEnabled(false);
    logTimeBox_->setEnabled(false);
}

void CmpPlotPage::OfferCandidates(std::vector<plots::Candidate> candidates) {
    candidates_ = std::move(candidates);
    const QSignalBlocker block(kindBox_);
    const int at = kindBox_->findData(kCandidates);
    if (candidates_.empty() && at >= 0) kindBox_->removeItem(at);
    if (!candidates_.empty() && at < 0) kindBox_->addItem("Candidates", kCandidates);
}

void CmpPlotPage::Redraw() {
    const int kind = kindBox_->currentData().toInt();
    caseBox_->setVisible(kind == kHistory);
    logTimeBox_->setVisible(kind == kHistory);
    if (kind != kCandidates && !loaded_) return;
    QChart* chart = nullptr;
    if (kind == kDelay) chart = plot_render::MakeDelayChart(delayPlot_);
    if (kind == kHistory) {
        chart = plot_render::MakeHistoryChart(plots::BuildHistoryPlot(
            detailed_, reduced_, caseBox_->currentData().toInt(), logTimeBox_->isChecked(), mixtureNames_));
    }
    if (kind == kCandidates) chart = plot_render::MakeCandidateChart(plots::BuildCandidatePlot(candidates_));
    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
    message_->hide();
    view_->show();
    saveButton_->setEnabled(true);
    caseBox_->setEnabled(true);
    logTimeBox_->setEnabled(true);
    if (kind == kDelay) ConnectTooltips();
}

// Hovering a point of the delay plot names its case, both delays and their difference.
void CmpPlotPage::ConnectTooltips() {
    for (QAbstractSeries* series : view_->chart()->series()) {
        auto* xy = qobject_cast<QXYSeries*>(series);
        if (!xy) continue;
        connect(xy, &QXYSeries::hovered, this, [this](const QPointF& point, bool state) {
            if (!state) return QToolTip::hideText();
            if (const auto* p = plots::NearestDelayPoint(delayPlot_, point.x(), point.y()))
                QToolTip::showText(QCursor::pos(), QString::fromStdString(plots::DelayPointText(*p)), view_);
        });
    }
}

bool CmpPlotPage::SavePlotTo(const QString& base, QString* error) {
    if (!HasPlot()) {
        if (error) *error = "No plot is shown.";
        return false;
    }
    return plot_render::SaveViewImages(*view_, base, error);
}

void CmpPlotPage::SavePlotClick() {
    QFileDialog dialog(this, "Save plot", workDirectory_, "Picture (*.png *.svg)");
    dialog.setObjectName("PlotSaveDlg");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString base = dialog.selectedFiles().first();
    if (base.endsWith(".png", Qt::CaseInsensitive) || base.endsWith(".svg", Qt::CaseInsensitive)) base.chop(4);
    QString error;
    if (!SavePlotTo(base, &error)) QMessageBox::critical(this, "Vantor4", error);
}
