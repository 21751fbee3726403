#include "app/workbench/cmp_plot_page.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QXYSeries>

#include "app/core/plots/history_plot_data.h"
#include "app/core/plots/parity_plot_data.h"
#include "app/core/plots/search_candidates.h"
#include "app/plot_render/plot_charts.h"
#include "app/plot_render/plot_image.h"
#include "app/workbench/plot_save_dialog.h"

using namespace vantor;

CmpPlotPage::CmpPlotPage(QWidget* parent)
    : QWidget(parent), saveSize_(plot_render::kSavedPlotWidth, plot_render::kSavedPlotHeight) {
    setObjectName("PlotPage");
    kindBox_ = new QComboBox(this);
    kindBox_->setObjectName("PlotKindBox");
    kindBox_->addItem("Ignition delay", kDelay);
    kindBox_->addItem("Parity", kParity);
    kindBox_->addItem("Temperature history", kHistory);
    kindBox_->addItem("Species history", kSpecies);
    kindBox_->addItem("Heat release rate", kHeatRelease);
    caseBox_ = new QComboBox(this);
    caseBox_->setObjectName("PlotCaseBox");
    caseBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    speciesBox_ = new QComboBox(this);
    speciesBox_->setObjectName("PlotSpeciesBox");
    speciesBox_->setToolTip("The mixtures' species first, then the others in mechanism order");
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
    controls->addWidget(speciesBox_);
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
    connect(speciesBox_, &QComboBox::currentIndexChanged, this, &CmpPlotPage::Redraw);
    connect(logTimeBox_, &QCheckBox::toggled, this, &CmpPlotPage::Redraw);
    connect(saveButton_, &QPushButton::clicked, this, &CmpPlotPage::SavePlotClick);
    ShowMessage("Result data are not exist");
}

CmpPlotPage::~CmpPlotPage() = default;

void CmpPlotPage::Load(const QString& workDirectory, const QStringList& mixtureNames, const QString& mechanismPath) {
    workDirectory_ = workDirectory;
    mixtureNames_.clear();
    for (const QString& name : mixtureNames) mixtureNames_.push_back(name.toStdString());
    const std::string dir = workDirectory.toStdString();
    OfferCandidates(plots::ReadSearchCandidates(dir));
    OfferFlames(plots::ReadFlameRun(dir));
    auto detailed = plots::ReadStandardDataCases(dir + "/SAVE.dat", "SAVE.dat");
    auto reduced = plots::ReadStandardDataCases(dir + "/New_SAVE.dat", "New_SAVE.dat");
    loaded_ = false;
    for (const auto* read : {&detailed, &reduced}) {
        if (read->problem != plots::ReadProblem::kNone) return ShowMessage(QString::fromStdString(read->error));
    }
    detailed_ = std::move(detailed.data);
    reduced_ = std::move(reduced.data);
    delayPlot_ = plots::BuildDelayPlot(detailed_, reduced_, mixtureNames_);
    species_ = plots::ReadRunSpecies(detailed_, reduced_, dir, mechanismPath.toStdString());
    speciesRead_ = 0;
    loaded_ = true;

    const QSignalBlocker blockCases(caseBox_);
    caseBox_->clear();
    const auto& cases = detailed_.cases.size() >= reduced_.cases.size() ? detailed_ : reduced_;
    const int mixtures = std::max(detailed_.mixtures, reduced_.mixtures);
    for (const plots::StandardDataCase& c : cases.cases)
        caseBox_->addItem(QString::fromStdString(plots::CaseCaption(c, mixtureNames_, mixtures)), c.number);
    const QSignalBlocker blockSpecies(speciesBox_);
    speciesBox_->clear();
    if (species_.known()) {
        for (const int k : plots::SpeciesChoiceOrder(detailed_))
            speciesBox_->addItem(QString::fromStdString(species_.detailed[k - 1]), k);
    }
    Redraw();
}

std::vector<std::string> CmpPlotPage::MixtureNames() const {
    return static_cast<int>(mixtureNames_.size()) == detailed_.mixtures ? mixtureNames_ : std::vector<std::string>{};
}

int CmpPlotPage::CasesPerMixture() const {
    const int cases = static_cast<int>(detailed_.cases.size());
    if (detailed_.mixtures < 1 || cases % detailed_.mixtures != 0) return 0;
    const int block = cases / detailed_.mixtures;
    for (int i = 0; i < cases; ++i)
        if (detailed_.cases[i].mixture != i / block + 1) return 0;
    return block;
}

bool CmpPlotPage::HasPlot() const {
    return view_->chart() && !view_->isHidden() && (loaded_ || !candidates_.empty() || flames_.present);
}

QString CmpPlotPage::Message() const { return message_->isHidden() ? QString() : message_->text(); }

void CmpPlotPage::ShowMessage(const QString& text) {
    message_->setText(text);
    message_->show();
    view_->hide();
    saveButton_->setEnabled(false);
    const bool choosing = loaded_;  // a plot that cannot be drawn leaves the others to choose
    caseBox_->setEnabled(choosing);
    speciesBox_->setEnabled(choosing);
    logTimeBox_->setEnabled(choosing);
}

void CmpPlotPage::OfferCandidates(std::vector<plots::Candidate> candidates) {
    candidates_ = std::move(candidates);
    const QSignalBlocker block(kindBox_);
    const int at = kindBox_->findData(kCandidates);
    if (candidates_.empty() && at >= 0) kindBox_->removeItem(at);
    if (!candidates_.empty() && at < 0) kindBox_->addItem("Candidates", kCandidates);
}

void CmpPlotPage::OfferFlames(plots::FlameRunValues flames) {
    flames_ = std::move(flames);
    flamePlot_ = plots::BuildFlamePlot(flames_.detailed, flames_.reduced);
    const QSignalBlocker block(kindBox_);
    const int at = kindBox_->findData(kFlameSpeed);
    if (!flames_.present && at >= 0) kindBox_->removeItem(at);
    if (flames_.present && at < 0) kindBox_->insertItem(kindBox_->findData(kParity) + 1, "Flame speed", kFlameSpeed);
}

// A new chart of the chosen plot, or nullptr with the reason it cannot be drawn.
QChart* CmpPlotPage::MakeChart(QString* unavailable) {
    const int kind = kindBox_->currentData().toInt();
    const int caseNumber = caseBox_->currentData().toInt();
    switch (kind) {
        case kDelay: return plot_render::MakeDelayChart(delayPlot_);
        case kParity: return plot_render::MakeParityChart(plots::BuildParityPlot(delayPlot_));
        case kCandidates: return plot_render::MakeCandidateChart(plots::BuildCandidatePlot(candidates_));
        case kFlameSpeed:
            if (flames_.error.empty()) return plot_render::MakeFlameChart(flamePlot_);
            *unavailable = QString::fromStdString(flames_.error);
            return nullptr;
        case kHistory:
        case kHeatRelease: {
            const plots::HistoryQuantity quantity{
                kind == kHistory ? plots::HistoryQuantity::kTemperature : plots::HistoryQuantity::kHeatRelease, {}};
            return plot_render::MakeHistoryChart(plots::BuildHistoryPlot(detailed_, reduced_, caseNumber,
                                                                         logTimeBox_->isChecked(), mixtureNames_, quantity));
        }
        default: break;
    }
    if (!species_.known()) {
        *unavailable = QString::fromStdString(species_.error);
        return nullptr;
    }
    const int species = speciesBox_->currentData().toInt();
    if (species < 1) {
        *unavailable = "The mechanism has no species.";
        return nullptr;
    }
    if (species != speciesRead_) {
        // Read per species asked for: all the mole fractions of a large run would not fit.
        speciesData_ = plots::ReadSpeciesHistories(workDirectory_.toStdString(), species_, {species});
        speciesRead_ = speciesData_.error.empty() ? species : 0;
    }
    if (!speciesData_.error.empty()) {
        *unavailable = QString::fromStdString(speciesData_.error);
        return nullptr;
    }
    return plot_render::MakeHistoryChart(plots::BuildHistoryPlot(speciesData_.detailed, speciesData_.reduced, caseNumber,
                                                                 true, mixtureNames_, speciesData_.quantities.front()));
}

void CmpPlotPage::Redraw() {
    const int kind = kindBox_->currentData().toInt();
    const bool history = kind == kHistory || kind == kSpecies || kind == kHeatRelease;
    caseBox_->setVisible(history);
    speciesBox_->setVisible(kind == kSpecies);
    logTimeBox_->setVisible(kind == kHistory || kind == kHeatRelease);  // species histories are log-log
    if (kind != kCandidates && kind != kFlameSpeed && !loaded_) return;
    QString unavailable;
    QChart* chart = MakeChart(&unavailable);
    if (!chart) return ShowMessage(unavailable);
    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
    message_->hide();
    view_->show();
    saveButton_->setEnabled(true);
    caseBox_->setEnabled(true);
    speciesBox_->setEnabled(true);
    logTimeBox_->setEnabled(true);
    if (kind == kDelay || kind == kFlameSpeed) ConnectTooltips(kind);
}

// Hovering a point of the delay or flame-speed plot names its case, both values and their
// difference.
void CmpPlotPage::ConnectTooltips(int kind) {
    for (QAbstractSeries* series : view_->chart()->series()) {
        auto* xy = qobject_cast<QXYSeries*>(series);
        if (!xy) continue;
        connect(xy, &QXYSeries::hovered, this, [this, kind](const QPointF& point, bool state) {
            if (!state) return QToolTip::hideText();
            std::string text;
            if (kind == kDelay) {
                if (const auto* p = plots::NearestDelayPoint(delayPlot_, point.x(), point.y()))
                    text = plots::DelayPointText(*p);
            } else if (const auto* p = plots::NearestFlamePoint(flamePlot_, point.x(), point.y())) {
                text = plots::FlamePointText(*p);
            }
            if (!text.empty()) QToolTip::showText(QCursor::pos(), QString::fromStdString(text), view_);
        });
    }
}

bool CmpPlotPage::SavePlotTo(const QString& base, QSize size, QString* error) {
    QString unavailable;
    QChart* chart = HasPlot() ? MakeChart(&unavailable) : nullptr;
    if (!chart) {
        if (error) *error = "No plot is shown.";
        return false;
    }
    return plot_render::SaveChartImages(chart, size, base, error);
}

void CmpPlotPage::SavePlotClick() {
    PlotSaveDialog dialog(workDirectory_, saveSize_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    saveSize_ = dialog.PlotSize();
    const QString base = dialog.Base();
    QString error;
    if (!SavePlotTo(base, saveSize_, &error)) {
        QMessageBox::critical(this, "Vantor4", error);
        return;
    }
    // Not modal: the confirmation need not stop the work.
    auto* saved = new QMessageBox(QMessageBox::Information, "Save plot",
                                  QString("Plot saved as %1.png and %1.svg (%2 x %3 px).")
                                      .arg(base)
                                      .arg(saveSize_.width())
                                      .arg(saveSize_.height()),
                                  QMessageBox::Ok, this);
    saved->setObjectName("PlotSavedBox");
    saved->setAttribute(Qt::WA_DeleteOnClose);
    saved->open();
}
