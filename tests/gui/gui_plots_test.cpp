// The plots: each chart drawn offscreen at the size asked for and not blank, the comparison
// viewer's plot and error pages on good, missing and damaged standard data, the flame-speed plot
// offered with the run's flame data, the saved PNG and SVG at the size the user gives, and the
// exported error table.

#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/core/plots/candidate_plot_data.h"
#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/history_plot_data.h"
#include "app/plot_render/plot_charts.h"
#include "app/plot_render/plot_image.h"
#include "app/workbench/cmp_error_page.h"
#include "app/workbench/cmp_plot_page.h"
#include "app/workbench/plot_save_dialog.h"
#include "app/workbench/compdat_form.h"
#include "outside/premix/flame_data.h"
#include "plots/standard_data_text.h"

using namespace vantor;

namespace {

const std::vector<test::CaseText> kCases{{1, 1000, 1, 0.2}, {1, 1200, 1, 0.01}, {10, 1000, 1, 0.05},
                                         {10, 1200, 1, 0.004}, {10, 800, 1, 1.0, false}};

void WriteRun(const QString& folder) {
    auto reduced = kCases;
    for (auto& c : reduced) c.delay *= c.ignited ? 1.05 : 1.0;
    test::WriteFile((folder + "/SAVE.dat").toStdString(), test::StandardDataText(kCases));
    test::WriteFile((folder + "/New_SAVE.dat").toStdString(), test::StandardDataText(reduced));
}

plots::StandardDataCases Read(const QString& path) {
    return plots::ReadStandardDataCases(path.toStdString(), "SAVE.dat").data;
}

// Pixels close to `colour`: the series were drawn, not only the frame.
int PixelsNear(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 40)
                ++count;
        }
    }
    return count;
}

const QColor kFirstSeries(0, 114, 178);

// Flames at 1 atm and 300 K, the second not burning; the reduced speeds 3 % higher.
void WriteFlames(const QString& path, double factor) {
    std::vector<premix::FlameCaseData> cases(3);
    const double phis[] = {0.8, 1.0, 1.2}, speeds[] = {27.0, 37.5, 33.0};
    for (int i = 0; i < 3; ++i) {
        cases[i].number = i + 1;
        cases[i].pressureAtm = 1.0;
        cases[i].temperature = 300.0;
        cases[i].phi = phis[i];
        cases[i].status = i == 1 ? 2 : 0;
        cases[i].flameSpeed = i == 1 ? 0.0 : speeds[i] * factor;
        cases[i].message = i == 1 ? "no convergence" : "converged";
    }
    std::string error;
    QVERIFY2(premix::WriteFlameData(path.toStdString(), {"CH4"}, cases, error), error.c_str());
}

}  // namespace

class PlotsTest : public QObject {
    Q_OBJECT
private slots:
    void eachPlotRendersAtItsSizeAndIsNotBlank();
    void viewerPlotsTheRunAndSavesPngAndSvg();
    void missingOrDamagedDataShowsTheMessageAndNoPlot();
    void flameSpeedIsOfferedWithTheRunsFlameData();
};

void PlotsTest::eachPlotRendersAtItsSizeAndIsNotBlank() {
    QTemporaryDir dir;
    WriteRun(dir.path());
    const auto detailed = Read(dir.path() + "/SAVE.dat");
    const auto reduced = Read(dir.path() + "/New_SAVE.dat");
    const QSize size(640, 400);
    const std::vector<std::pair<const char*, QChart*>> charts{
        {"delay", plot_render::MakeDelayChart(plots::BuildDelayPlot(detailed, reduced))},
        {"history", plot_render::MakeHistoryChart(plots::BuildHistoryPlot(detailed, reduced, 2, true))},
        {"candidates", plot_render::MakeCandidateChart(plots::BuildCandidatePlot(
             {{20, 4.0, false}, {24, 3.0, false}, {27, 2.0, false}, {30, 1.0, true}, {35, 0.5, false}, {40, 0.2, false}}))}};
    for (const auto& [name, chart] : charts) {
        const QImage image = plot_render::RenderChart(chart, size);
        QCOMPARE(image.size(), size * image.devicePixelRatio());
        QVERIFY2(PixelsNear(image, kFirstSeries) > 100, name);
    }
}

void PlotsTest::viewerPlotsTheRunAndSavesPngAndSvg() {
    QTemporaryDir dir;
    WriteRun(dir.path());
    // A target search's result: its mechanism's header names the candidate table.
    test::WriteFile(dir.filePath("NEW_Chem.inp").toStdString(),
                    "!Candidates tried=3 (threshold 3, species removal 0), chosen 2; see NEW_Candidates.dat\r\n");
    test::WriteFile(dir.filePath("NEW_Candidates.dat").toStdString(),
                    "#  no kind value species\r\n   1 THD  0.9000 18 40 0.5000 1 4/4 1.0  within\r\n"
                    "   2 THD  0.5000 12 30 3.0000 2 4/4 1.0  within\r\n# chosen: 2\r\n");
    test::WriteFile(dir.filePath("chem.inp").toStdString(), "SPECIES CH4 O2 END\r\nREACTIONS\r\nEND\r\n");
    TCmpDataForm viewer(dir.path(), nullptr, {"CH4 1, O2 2", ""});
    viewer.show();
    CmpPlotPage* page = viewer.PlotPage();
    QVERIFY(page->HasPlot());
    QVERIFY(page->Message().isEmpty());
    // The legend names the mixture by its text, the mechanisms, and the case without ignition.
    auto legend = [page] {
        QStringList names;
        for (QAbstractSeries* s : page->View()->chart()->series()) names << s->name();
        return names;
    };
    for (const char* entry : {"CH4 1, O2 2, 10 atm", "detailed (lines)", "reduced (markers)", "No ignition, left out: case 5"})
        QVERIFY2(legend().contains(entry), qPrintable(legend().join("|")));

    auto* kind = page->findChild<QComboBox*>("PlotKindBox");
    auto* cases = page->findChild<QComboBox*>("PlotCaseBox");
    kind->setCurrentIndex(kind->findText("Temperature history"));
    QCOMPARE(cases->count(), 5);
    cases->setCurrentIndex(2);
    QCOMPARE(page->View()->chart()->title(), QString("Case 3: 10 atm, 1000 K, CH4 1, O2 2"));
    kind->setCurrentIndex(kind->findText("Species history"));
    auto* species = page->findChild<QComboBox*>("PlotSpeciesBox");
    QCOMPARE(species->itemText(0), QString("CH4"));
    species->setCurrentIndex(1);
    QCOMPARE(page->View()->chart()->title(), QString("O2, Case 3: 10 atm, 1000 K, CH4 1, O2 2"));
    kind->setCurrentIndex(kind->findText("Parity"));
    QVERIFY2(legend().contains("y = x"), qPrintable(legend().join("|")));

    // "Save plot...": the size given, both files, and a message naming them.
    const QString base = dir.filePath("plot");
    QTimer::singleShot(0, [base] {
        auto* dialog = qobject_cast<PlotSaveDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->findChild<QSpinBox*>("PlotWidthE")->value(), 1600);
        QCOMPARE(dialog->findChild<QSpinBox*>("PlotHeightE")->value(), 1000);
        dialog->findChild<QLineEdit*>("PlotFileE")->setText(base + ".png");
        dialog->findChild<QSpinBox*>("PlotWidthE")->setValue(1200);
        dialog->accept();
    });
    page->findChild<QPushButton*>("SavePlotBtn")->click();
    auto* saved = page->findChild<QMessageBox*>("PlotSavedBox");
    QVERIFY(saved);
    QCOMPARE(saved->text(), "Plot saved as " + base + ".png and " + base + ".svg (1200 x 1000 px).");
    QCOMPARE(QImage(base + ".png").size(), QSize(1200, 1000));
    QFile svg(base + ".svg");
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));

    // The error table: five cases, the groups per pressure and per mixture, exported as CSV.
    CmpErrorPage* errors = viewer.ErrorPage();
    QCOMPARE(errors->findChild<QTableWidget*>("ErrorCaseTable")->rowCount(), 5);
    QCOMPARE(errors->findChild<QTableWidget*>("ErrorGroupTable")->rowCount(), 3);
    QCOMPARE(errors->findChild<QTableWidget*>("ErrorCaseTable")->item(0, 1)->text(), QString("CH4 1, O2 2"));
    QString error;
    QVERIFY2(errors->ExportTo(dir.filePath("errors.csv"), &error), qPrintable(error));
    QFile csv(dir.filePath("errors.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll().toStdString(), ErrorTableCsv(errors->Table()));

    kind->setCurrentIndex(kind->findText("Candidates"));
    QCOMPARE(kind->currentText(), QString("Candidates"));
    QVERIFY(page->HasPlot());
    QVERIFY(page->View()->chart()->series().size() >= 2);  // all candidates and the chosen one
}

void PlotsTest::missingOrDamagedDataShowsTheMessageAndNoPlot() {
    QTemporaryDir dir;
    {
        TCmpDataForm viewer(dir.path());
        viewer.show();
        QVERIFY(!viewer.PlotPage()->HasPlot());
        QCOMPARE(viewer.PlotPage()->Message(), QString("Result data are not exist"));
        QVERIFY(!viewer.PlotPage()->SavePlotTo(dir.filePath("none"), QSize(800, 500)));
        // A table beside a mechanism that is not the search's result is not offered.
        test::WriteFile(dir.filePath("NEW_Candidates.dat").toStdString(), "   1 THD 0.9 18 40 0.5 1 4/4 1.0 within\r\n");
        test::WriteFile(dir.filePath("NEW_Chem.inp").toStdString(), "!Reduced by an integrated run\r\n");
        viewer.PlotPage()->Load(dir.path());
        QCOMPARE(viewer.PlotPage()->findChild<QComboBox*>("PlotKindBox")->findText("Candidates"), -1);
    }
    WriteRun(dir.path());
    {
        // Without the mechanism input the species are unknown: the species plot says so, the
        // other plots stay to choose.
        TCmpDataForm viewer(dir.path());
        viewer.show();
        auto* kind = viewer.PlotPage()->findChild<QComboBox*>("PlotKindBox");
        kind->setCurrentIndex(kind->findText("Species history"));
        QVERIFY2(viewer.PlotPage()->Message().contains("chem.inp"), qPrintable(viewer.PlotPage()->Message()));
        kind->setCurrentIndex(kind->findText("Heat release rate"));
        QVERIFY(viewer.PlotPage()->HasPlot());
    }
    test::WriteFile(dir.filePath("New_SAVE.dat").toStdString(), "! Var#=     9  SP chem.inp\r\nTAU0 1 1 1000\r\n");
    TCmpDataForm viewer(dir.path());
    viewer.show();
    QVERIFY(!viewer.PlotPage()->HasPlot());
    QVERIFY2(viewer.PlotPage()->Message().startsWith("New_SAVE.dat"), qPrintable(viewer.PlotPage()->Message()));
}

void PlotsTest::flameSpeedIsOfferedWithTheRunsFlameData() {
    QTemporaryDir dir;
    WriteRun(dir.path());
    TCmpDataForm viewer(dir.path());
    viewer.show();
    CmpPlotPage* page = viewer.PlotPage();
    auto* kind = page->findChild<QComboBox*>("PlotKindBox");
    QCOMPARE(kind->findText("Flame speed"), -1);

    WriteFlames(dir.filePath("FLAME.dat"), 1.0);
    WriteFlames(dir.filePath("New_FLAME.dat"), 1.03);
    page->Load(dir.path());
    QCOMPARE(kind->findText("Flame speed"), kind->findText("Parity") + 1);
    kind->setCurrentIndex(kind->findText("Flame speed"));
    QVERIFY(page->HasPlot());
    QChart* chart = page->View()->chart();
    QStringList names;
    for (QAbstractSeries* s : chart->series()) names << s->name();
    for (const char* entry : {"1 atm, 300 K", "detailed (lines)", "reduced (markers)", "No flame speed, left out: case 2"})
        QVERIFY2(names.contains(entry), qPrintable(names.join("|")));
    QCOMPARE(chart->axes(Qt::Horizontal).front()->titleText(), QString("Equivalence ratio"));
    QCOMPARE(chart->axes(Qt::Vertical).front()->titleText(), QString("Flame speed (cm/s)"));
    // Without the reduced flames the detailed line is drawn alone.
    const auto flames = plots::ReadFlameRun(dir.path().toStdString());
    QChart* detailedOnly = plot_render::MakeFlameChart(plots::BuildFlamePlot(flames.detailed, {}));
    QVERIFY(detailedOnly->title().contains("no New_FLAME.dat"));
    QVERIFY(PixelsNear(plot_render::RenderChart(detailedOnly, QSize(640, 400)), kFirstSeries) > 100);

    // A damaged reduced file is named in place of the plot; the other plots stay.
    test::WriteFile(dir.filePath("New_FLAME.dat").toStdString(), "! PREMIX flame data\n! Case 1  P= x atm\n");
    page->Load(dir.path());
    kind->setCurrentIndex(kind->findText("Flame speed"));
    QVERIFY(!page->HasPlot());
    QVERIFY2(page->Message().contains("New_FLAME.dat"), qPrintable(page->Message()));
    kind->setCurrentIndex(kind->findText("Ignition delay"));
    QVERIFY(page->HasPlot());
}

QTEST_MAIN(PlotsTest)
#include "gui_plots_test.moc"
