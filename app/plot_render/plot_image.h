#pragma once
// Pictures of a chart at a size in pixels: a PNG image and an SVG drawing of the same size.

#include <QImage>
#include <QSize>
#include <QString>

class QChart;

namespace vantor::plot_render {

// The plot size of saved pictures unless the user gives another.
inline constexpr int kSavedPlotWidth = 1600;
inline constexpr int kSavedPlotHeight = 1000;

// Lays out `chart` (taking it over) in a view of `size` that is never shown on screen, and
// writes `base`.png of exactly `size` pixels and `base`.svg of the same size. Text, lines and
// markers grow with the picture, so a large one reads like the screen. False with `error`
// naming the file that failed. Needs a QApplication.
bool SaveChartImages(QChart* chart, QSize size, const QString& base, QString* error);

// The chart drawn at `size` pixels without a window (taking it over). Needs a QApplication.
QImage RenderChart(QChart* chart, QSize size);

}  // namespace vantor::plot_render
