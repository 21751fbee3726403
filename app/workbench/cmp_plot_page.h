#pragma once
// The comparison viewer's plot page: the ignition-delay and parity plots, the temperature,
// species and heat-release histories of a chosen case, the flame speeds when the run has flames
// and, after a target-error search, its candidates; the shown plot saved as PNG and SVG at a size
// the user gives.

#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "app/core/plots/candidate_plot_data.h"
#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/flame_plot_data.h"
#include "app/core/plots/run_species.h"
#include "app/core/plots/standard_data_cases.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class CmpPlotPage : public QWidget {
    Q_OBJECT
public:
    explicit CmpPlotPage(QWidget* parent = nullptr);
    ~CmpPlotPage() override;

    // Reads the standard data of `workDirectory`; missing or damaged data shows its message
    // instead of a plot. `mixtureNames`, one per mixture, name the series. `mechanismPath`, the
    // detailed mechanism input, names the species when the folder does not hold it. When the
    // folder's reduced mechanism came from a target search, its candidates are offered too, and
    // so are the flame speeds when it holds FLAME.dat.
    void Load(const QString& workDirectory, const QStringList& mixtureNames = {}, const QString& mechanismPath = {});
    bool HasPlot() const;
    QString Message() const;
    QChartView* View() const { return view_; }

    // The mixture names the plots use (empty when they do not fit the data), and the number of
    // cases per mixture (0 when the cases do not run mixture outermost in equal blocks).
    std::vector<std::string> MixtureNames() const;
    int CasesPerMixture() const;

    // Writes `base`.png and `base`.svg of the shown plot at `size` pixels.
    bool SavePlotTo(const QString& base, QSize size, QString* error = nullptr);

private:
    enum Kind { kDelay, kParity, kFlameSpeed, kHistory, kSpecies, kHeatRelease, kCandidates };
    void ShowMessage(const QString& text);
    void OfferCandidates(std::vector<vantor::plots::Candidate> candidates);
    void OfferFlames(vantor::plots::FlameRunValues flames);
    void Redraw();
    QChart* MakeChart(QString* unavailable);
    void ConnectTooltips(int kind);
    void SavePlotClick();

    QComboBox* kindBox_ = nullptr;
    QComboBox* caseBox_ = nullptr;
    QComboBox* speciesBox_ = nullptr;
    QCheckBox* logTimeBox_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* message_ = nullptr;
    QString workDirectory_;
    QSize saveSize_;

    bool loaded_ = false;
    std::vector<std::string> mixtureNames_;
    vantor::plots::StandardDataCases detailed_, reduced_;
    vantor::plots::DelayPlotData delayPlot_;
    vantor::plots::RunSpecies species_;
    int speciesRead_ = 0;  // the detailed species number speciesData_ holds
    vantor::plots::SpeciesHistories speciesData_;
    std::vector<vantor::plots::Candidate> candidates_;
    vantor::plots::FlameRunValues flames_;
    vantor::plots::FlamePlotData flamePlot_;
};
