#pragma once
// Pictures of a chart: a PNG image and an SVG drawing of the same size.

#include <QImage>
#include <QSize>
#include <QString>

class QChart;
class QChartView;

namespace vantor::plot_render {

// The chart view as the screen shows it, at its current size and pixel ratio.
QImage GrabView(QChartView& view);

// Writes `base`.png and `base`.svg of the view; false with `error` naming the file that failed.
bool SaveViewImages(QChartView& view, const QString& base, QString* error);

// Lays out `chart` (taking it over) in a view of `size` that is never shown on screen, and
// writes `base`.png and `base`.svg. Needs a QApplication.
bool SaveChartImages(QChart* chart, QSize size, const QString& base, QString* error);

// The chart drawn at `size` without a window (taking it over). Needs a QApplication.
QImage RenderChart(QChart* chart, QSize size);

}  // namespace vantor::plot_render
