#include "app/plot_render/plot_charts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <array>
#include <cmath>

#include "app/core/plots/candidate_plot_data.h"
#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/flame_plot_data.h"
#include "app/core/plots/history_plot_data.h"
#include "app/core/plots/parity_plot_data.h"

namespace vantor::plot_render {
namespace {

// Distinct on screen and in print, also for the common colour-vision deficiencies.
const std::array<QColor, 8> kColours{QColor(0, 114, 178),  QColor(213, 94, 0),   QColor(0, 158, 115),
                                     QColor(204, 121, 167), QColor(86, 180, 233), QColor(230, 159, 0),
                                     QColor(0, 0, 0),       QColor(120, 120, 120)};
constexpr qreal kLineWidth = 2.0;
constexpr qreal kMarkerSize = 9.0;
constexpr qreal kHistoryMarkerSize = 6.0;
const QColor kKeyColour(60, 60, 60);

QChart* NewChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // A line for a line and a marker for markers, so the legend tells the mechanisms apart.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    // The right margin leaves room for the last label of the horizontal axis.
    chart->setMargins(QMargins(4, 4, 16, 4));
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    return chart;
}

QLineSeries* Line(const QString& name, const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour, kLineWidth, style);
    series->setPen(pen);
    return series;
}

QScatterSeries* Markers(const QString& name, const QColor& colour, qreal size = kMarkerSize) {
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setColor(colour);
    series->setBorderColor(colour.darker(140));
    series->setMarkerSize(size);
    return series;
}

// A legend entry without points: the note that names what the plot leaves out.
void AddNote(QChart* chart, const std::string& note) {
    if (note.empty()) return;
    auto* series = Line(QString::fromStdString(note), Qt::transparent);
    chart->addSeries(series);
}

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

// Legend entries without points that say which mechanism the lines and the markers are.
void AddMechanismKey(QChart* chart) {
    chart->addSeries(Line("detailed (lines)", kKeyColour));
    chart->addSeries(Markers("reduced (markers)", kKeyColour));
}

// One group's detailed line, named in the legend, and its reduced markers in the same colour.
void AddGroup(QChart* chart, const QString& label, const QColor& colour, const QList<QPointF>& detailedPoints,
              const QList<QPointF>& reducedPoints) {
    auto* detailed = Line(label, colour);
    auto* reduced = Markers(label + " reduced", colour);
    detailed->append(detailedPoints);
    reduced->append(reducedPoints);
    // A single detailed point has no line to show: a hollow marker stands for it.
    if (detailed->count() == 1) {
        auto* lone = Markers(QString(), Qt::white, kMarkerSize + 4);
        lone->setBorderColor(colour);
        lone->append(detailed->at(0));
        chart->addSeries(lone);
        HideFromLegend(chart, lone);
    }
    chart->addSeries(detailed);
    chart->addSeries(reduced);
    HideFromLegend(chart, reduced);
}

QValueAxis* LinearAxis(const QString& title, const plots::AxisRange& range, const char* format) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(range.min, range.max);
    axis->setTickCount(std::max(2, range.ticks));
    axis->setLabelFormat(format);
    return axis;
}

QLogValueAxis* LogAxis(const QString& title, const plots::AxisRange& range) {
    auto* axis = new QLogValueAxis;
    axis->setTitleText(title);
    axis->setBase(10.0);
    // Slightly wider than the decades, so rounding never drops the label of the lowest one.
    axis->setRange(range.min * (1.0 - 1e-6), range.max * (1.0 + 1e-6));
    axis->setLabelFormat("%.0e");
    axis->setMinorTickCount(8);
    return axis;
}

void AttachAll(QChart* chart, const QList<QAbstractAxis*>& axes) {
    for (QAbstractAxis* axis : axes) {
        for (QAbstractSeries* series : chart->series()) series->attachAxis(axis);
    }
}

}  // namespace

QChart* MakeDelayChart(const plots::DelayPlotData& plot) {
    QChart* chart = NewChart("Ignition delay");
    for (size_t i = 0; i < plot.series.size(); ++i) {
        const plots::DelaySeries& s = plot.series[i];
        QList<QPointF> detailed, reduced;
        for (const plots::DelayPoint& p : s.points) {
            if (p.detailed) detailed.append({p.inverseTemperature, *p.detailed});
            if (p.reduced) reduced.append({p.inverseTemperature, *p.reduced});
        }
        AddGroup(chart, QString::fromStdString(s.label), kColours[i % kColours.size()], detailed, reduced);
    }
    AddMechanismKey(chart);
    AddNote(chart, plot.note);

    auto* x = LinearAxis("1000/T (1/K)", plot.inverseTemperature, "%.3g");
    auto* y = LogAxis("Ignition delay (s)", plot.delay);
    auto* top = new QCategoryAxis;
    top->setTitleText("T (K)");
    top->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    top->setRange(plot.inverseTemperature.min, plot.inverseTemperature.max);
    top->setStartValue(plot.inverseTemperature.min);
    top->setGridLineVisible(false);
    // Categories run along rising 1000/T, that is falling temperature.
    for (auto t = plot.temperatureTicks.rbegin(); t != plot.temperatureTicks.rend(); ++t)
        top->append(QString::number(*t, 'g', 6), 1000.0 / *t);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    chart->addAxis(top, Qt::AlignTop);
    if (chart->series().isEmpty()) chart->addSeries(Line(QString(), Qt::transparent));
    AttachAll(chart, {x, y, top});
    if (plot.empty()) chart->setTitle(chart->title() + "\nno case ignited");
    return chart;
}

QChart* MakeFlameChart(const plots::FlamePlotData& plot) {
    QChart* chart = NewChart("Laminar flame speed");
    for (size_t i = 0; i < plot.series.size(); ++i) {
        const plots::FlameSeries& s = plot.series[i];
        QList<QPointF> detailed, reduced;
        for (const plots::FlamePoint& p : s.points) {
            if (p.detailed) detailed.append({p.phi, *p.detailed});
            if (p.reduced) reduced.append({p.phi, *p.reduced});
        }
        AddGroup(chart, QString::fromStdString(s.label), kColours[i % kColours.size()], detailed, reduced);
    }
    AddMechanismKey(chart);
    AddNote(chart, plot.note);
    auto* x = LinearAxis("Equivalence ratio", plot.phi, "%.3g");
    auto* y = LinearAxis("Flame speed (cm/s)", plot.speed, "%.4g");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    AttachAll(chart, {x, y});
    if (plot.empty()) chart->setTitle(chart->title() + "\nno case gave a flame speed");
    else if (!plot.hasReduced) chart->setTitle(chart->title() + "\nreduced mechanism: no New_FLAME.dat");
    return chart;
}

QChart* MakeHistoryChart(const plots::HistoryPlotData& plot) {
    QChart* chart = NewChart(QString::fromStdString(plot.title.empty() ? plot.valueName : plot.title));
    auto* detailed = Line("detailed (line)", kColours[0]);
    auto* reduced = Markers("reduced (markers)", kColours[1], kHistoryMarkerSize);
    for (const plots::HistoryPoint& p : plot.detailed) detailed->append(p.time, p.value);
    for (const plots::HistoryPoint& p : plot.reduced) reduced->append(p.time, p.value);
    chart->addSeries(detailed);
    chart->addSeries(reduced);
    AddNote(chart, plot.note);
    QAbstractAxis* x = plot.logTime ? static_cast<QAbstractAxis*>(LogAxis("Time (s)", plot.time))
                                    : LinearAxis("Time (s)", plot.time, "%.3g");
    const QString valueName = QString::fromStdString(plot.valueName);
    const char* format = plot.quantity.kind == plots::HistoryQuantity::kTemperature ? "%.0f" : "%.3g";
    QAbstractAxis* y = plot.logValue ? static_cast<QAbstractAxis*>(LogAxis(valueName, plot.value))
                                     : LinearAxis(valueName, plot.value, format);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    AttachAll(chart, {x, y});
    return chart;
}

QChart* MakeParityChart(const plots::ParityPlotData& plot) {
    QChart* chart = NewChart("Ignition delay: reduced against detailed");
    auto* diagonal = Line("y = x", kKeyColour, Qt::DashLine);
    diagonal->append(plot.delay.min, plot.delay.min);
    diagonal->append(plot.delay.max, plot.delay.max);
    chart->addSeries(diagonal);
    for (size_t i = 0; i < plot.series.size(); ++i) {
        auto* points = Markers(QString::fromStdString(plot.series[i].label), kColours[i % kColours.size()]);
        for (const plots::ParityPoint& p : plot.series[i].points) points->append(p.detailed, p.reduced);
        chart->addSeries(points);
    }
    AddNote(chart, plot.note);
    auto* x = LogAxis("Detailed ignition delay (s)", plot.delay);
    auto* y = LogAxis("Reduced ignition delay (s)", plot.delay);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    AttachAll(chart, {x, y});
    if (plot.empty()) chart->setTitle(chart->title() + "\nno case ignited with both mechanisms");
    return chart;
}

QChart* MakeCandidateChart(const plots::CandidatePlotData& plot) {
    QChart* chart = NewChart("Target-error search: candidates");
    auto* all = Markers("candidates", kColours[0]);
    auto shown = [&plot](double difference) {
        return plot.logDifference ? std::max(std::abs(difference), plot.difference.min) : difference;
    };
    for (const plots::Candidate& c : plot.candidates) all->append(c.speciesKept, shown(c.largestDifferencePercent));
    chart->addSeries(all);
    if (plot.chosen) {
        auto* chosen = Markers(QString("chosen: %1 species, %2 %")
                                   .arg(plot.chosen->speciesKept)
                                   .arg(plot.chosen->largestDifferencePercent, 0, 'f', 2),
                               kColours[1], kMarkerSize + 6);
        chosen->setMarkerShape(QScatterSeries::MarkerShapeStar);
        chosen->append(plot.chosen->speciesKept, shown(plot.chosen->largestDifferencePercent));
        chart->addSeries(chosen);
    }
    auto* x = LinearAxis("Species kept", plot.species, "%.0f");
    const QString difference = "Largest ignition-delay difference (%)";
    QAbstractAxis* y = plot.logDifference ? static_cast<QAbstractAxis*>(LogAxis(difference, plot.difference))
                                          : LinearAxis(difference, plot.difference, "%.3g");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    AttachAll(chart, {x, y});
    return chart;
}

}  // namespace vantor::plot_render
