#include "app/plot_render/plot_image.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QLegend>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <algorithm>

namespace vantor::plot_render {
namespace {

// The size the charts' fonts are made for; a bigger picture scales them up.
constexpr double kDesignWidth = 800.0;
constexpr double kDesignHeight = 560.0;
constexpr double kLargestFontScale = 3.0;

QFont Scaled(QFont font, double factor) {
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * factor);
    else font.setPixelSize(static_cast<int>(font.pixelSize() * factor + 0.5));
    return font;
}

// Text, lines and markers grow together, so a large picture looks like the screen's.
void ScaleToSize(QChart* chart, QSize size) {
    const double factor =
        std::clamp(std::min(size.width() / kDesignWidth, size.height() / kDesignHeight), 1.0, kLargestFontScale);
    if (factor <= 1.0) return;
    chart->setTitleFont(Scaled(chart->titleFont(), factor));
    chart->legend()->setFont(Scaled(chart->legend()->font(), factor));
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(Scaled(axis->labelsFont(), factor));
        axis->setTitleFont(Scaled(axis->titleFont(), factor));
    }
    for (QAbstractSeries* series : chart->series()) {
        auto* xy = qobject_cast<QXYSeries*>(series);
        if (!xy) continue;
        QPen pen = xy->pen();
        pen.setWidthF(pen.widthF() * factor);
        xy->setPen(pen);
        if (auto* scatter = qobject_cast<QScatterSeries*>(series))
            scatter->setMarkerSize(scatter->markerSize() * factor);
    }
}

// A view laid out at `size` without appearing on screen. The view is made with its chart: a view
// made without one creates a chart of its own that setChart would hand back.
void Prepare(QChartView& view, QSize size) {
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    ScaleToSize(view.chart(), size);
    view.resize(size);
    view.show();
    QApplication::processEvents();
}

// Drawn into an image of its own rather than grabbed, so the picture has the pixels asked for
// whatever the screen's scaling.
QImage Draw(QChartView& view, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view.render(&painter, QRectF(QPointF(0, 0), size), view.rect());
    return image;
}

// The files are written beside their final place and renamed into it, so a failure never
// leaves half a picture where a good one stood.
bool Publish(const QString& temporary, const QString& path, QString* error) {
    QFile::remove(path);
    if (QFile::rename(temporary, path)) return true;
    QFile::remove(temporary);
    if (error) *error = "Cannot write " + path;
    return false;
}

bool Fail(const QString& temporary, const QString& path, QString* error) {
    QFile::remove(temporary);
    if (error) *error = "Cannot write " + path;
    return false;
}

}  // namespace

bool SaveChartImages(QChart* chart, QSize size, const QString& base, QString* error) {
    QChartView view(chart);
    Prepare(view, size);
    const QString png = base + ".png", svg = base + ".svg";
    if (!Draw(view, size).save(png + ".part", "PNG")) return Fail(png + ".part", png, error);
    if (!Publish(png + ".part", png, error)) return false;

    QSvgGenerator generator;
    generator.setFileName(svg + ".part");
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    // The screen's resolution, so the text keeps its size against the drawing.
    generator.setResolution(view.logicalDpiX());
    generator.setTitle(chart->title());
    generator.setDescription("Vantor plot");
    QPainter painter;
    if (!painter.begin(&generator)) return Fail(svg + ".part", svg, error);
    view.render(&painter);
    painter.end();
    if (!QFileInfo(svg + ".part").size()) return Fail(svg + ".part", svg, error);
    return Publish(svg + ".part", svg, error);
}

QImage RenderChart(QChart* chart, QSize size) {
    QChartView view(chart);
    Prepare(view, size);
    return Draw(view, size);
}

}  // namespace vantor::plot_render
