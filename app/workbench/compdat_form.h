#pragma once
// The comparison viewer "Chemistry comparison": shows the working directory's "CMP.dat" as it
// was when the viewer opened, and saves a copy of it; further pages plot the standard data and
// set out its ignition-delay differences as a table.

#include <QDialog>
#include <QStringList>

class CmpErrorPage;
class CmpPlotPage;
class QPlainTextEdit;

class TCmpDataForm : public QDialog {
    Q_OBJECT
public:
    // `mixtureLines` (one per mixture) name the mixtures in the plots and the table;
    // `mechanismPath`, the detailed mechanism input, names the species when the work folder
    // does not hold it.
    TCmpDataForm(const QString& workDirectory, QWidget* parent = nullptr, const QStringList& mixtureLines = {},
                 const QString& mechanismPath = {});

    // Writes the shown lines to `path` with CR LF line ends; false with `error` on failure.
    bool SaveTo(const QString& path, QString* error = nullptr) const;
    CmpPlotPage* PlotPage() const { return plotPage_; }
    CmpErrorPage* ErrorPage() const { return errorPage_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadReport();
    void SaveClick();

    QString workDirectory_;
    QStringList mixtureLines_;
    QString mechanismPath_;
    QPlainTextEdit* DatMemo_ = nullptr;
    CmpPlotPage* plotPage_ = nullptr;
    CmpErrorPage* errorPage_ = nullptr;
    bool loaded_ = false;
};
