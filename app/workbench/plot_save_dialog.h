#pragma once
// "Save plot": the file name (PNG and SVG are both written) and the picture's size in pixels.

#include <QDialog>
#include <QSize>

class QLineEdit;
class QSpinBox;

class PlotSaveDialog : public QDialog {
    Q_OBJECT
public:
    PlotSaveDialog(const QString& folder, QSize size, QWidget* parent = nullptr);

    // The chosen path without its ".png" or ".svg" ending: both files take this name.
    QString Base() const;
    QSize PlotSize() const;

private:
    void BrowseClick();

    QLineEdit* fileEdit_ = nullptr;
    QSpinBox* widthBox_ = nullptr;
    QSpinBox* heightBox_ = nullptr;
};
