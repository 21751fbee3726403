#include "app/plot_render/plot_image.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace vantor::plot_render {
namespace {

// A view laid out at `size` without appearing on screen. The view is made with its chart: a view
// made without one creates a chart of its own that setChart would hand back.
void Prepare(QChartView& view, QSize size) {
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(size);
    view.show();
    QApplication::processEvents();
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

}  // namespace

QImage GrabView(QChartView& view) { return view.grab().toImage(); }

bool SaveViewImages(QChartView& view, const QString& base, QString* error) {
    const QString png = base + ".png", svg = base + ".svg";
    if (!GrabView(view).save(png + ".part", "PNG")) {
        QFile::remove(png + ".part");
        if (error) *error = "Cannot write " + png;
        return false;
    }
    if (!Publish(png + ".part", png, error)) return false;

    QSvgGenerator generator;
    generator.setFileName(svg + ".part");
    generator.setSize(view.size());
    generator.setViewBox(QRect(QPoint(0, 0), view.size()));
    // The screen's resolution, so the text keeps its size against the drawing.
    generator.setResolution(view.logicalDpiX());
    generator.setTitle(view.chart() ? view.chart()->title() : QString());
    generator.setDescription("Vantor plot");
    QPainter painter;
    if (!painter.begin(&generator)) {
        if (error) *error = "Cannot write " + svg;
        return false;
    }
    view.render(&painter);
    painter.end();
    if (!QFileInfo(svg + ".part").size()) {
        QFile::remove(svg + ".part");
        if (error) *error = "Cannot write " + svg;
        return false;
    }
    return Publish(svg + ".part", svg, error);
}

bool SaveChartImages(QChart* chart, QSize size, const QString& base, QString* error) {
    QChartView view(chart);
    Prepare(view, size);
    return SaveViewImages(view, base, error);
}

QImage RenderChart(QChart* chart, QSize size) {
    QChartView view(chart);
    Prepare(view, size);
    return GrabView(view);
}

}  // namespace vantor::plot_render
