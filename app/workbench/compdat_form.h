#pragma once
// The comparison viewer "Chemistry comparison": shows the working directory's "CMP.dat" as it
// was when the viewer opened, and saves a copy of it; a second page plots the standard data.

#include <QDialog>

class CmpPlotPage;
class QPlainTextEdit;

class TCmpDataForm : public QDialog {
    Q_OBJECT
public:
    TCmpDataForm(const QString& workDirectory, QWidget* parent = nullptr);

    // Writes the shown lines to `path` with CR LF line ends; false with `error` on failure.
    bool SaveTo(const QString& path, QString* error = nullptr) const;
    CmpPlotPage* PlotPage() const { return plotPage_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadReport();
    void SaveClick();

    QString workDirectory_;
    QPlainTextEdit* DatMemo_ = nullptr;
    CmpPlotPage* plotPage_ = nullptr;
    bool loaded_ = false;
};
