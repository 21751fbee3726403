#pragma once
// The comparison viewer's plot page: the ignition-delay plot, the temperature history of a
// chosen case and, after a target-error search, its candidates; the shown plot saved as PNG and
// SVG.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/core/plots/candidate_plot_data.h"
#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/standard_data_cases.h"

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
    // instead of a plot. `mixtureNames`, one per mixture, name the series. When the folder's
    // reduced mechanism came from a target search, its candidates are offered as a third plot.
    void Load(const QString& workDirectory, const QStringList& mixtureNames = {});
    bool HasPlot() const;
    QString Message() const;
    QChartView* View() const { return view_; }

    // Writes `base`.png and `base`.svg of the shown plot.
    bool SavePlotTo(const QString& base, QString* error = nullptr);

private:
    enum Kind { kDelay, kHistory, kCandidates };
    void ShowMessage(const QString& text);
    void OfferCandidates(std::vector<vantor::plots::Candidate> candidates);
    void Redraw();
    void ConnectTooltips();
    void SavePlotClick();

    QComboBox* kindBox_ = nullptr;
    QComboBox* caseBox_ = nullptr;
    QCheckBox* logTimeBox_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* message_ = nullptr;
    QString workDirectory_;

    bool loaded_ = false;
    std::vector<std::string> mixtureNames_;
    vantor::plots::StandardDataCases detailed_, reduced_;
    vantor::plots::DelayPlotData delayPlot_;
    std::vector<vantor::plots::Candidate> candidates_;
};
