// The integrated reduction of the bundled example with the real libraries, driven by the window's
// own timers: the step lines in order, the reduced mechanism in the window, then the reduced test
// and the comparison viewer, then both runs side by side in the run history. Skipped when the
// libraries are not built beside the program.

#include <QChartView>
#include <QPushButton>

#include "app/core/history/run_history.h"
#include "app/workbench/compdat_form.h"
#include "app/workbench/run_history_form.h"
#include "gui_test_support.h"

using guitest::Session;

class IntegratedTest : public QObject {
    Q_OBJECT
private slots:
    void integratedRunOnTheExample();
    void reactorCasesFollowTheRuns();
};

namespace {

constexpr int kRunTimeoutMs = 15 * 60 * 1000;

bool Idle(TPruvexForm& window) { return !window.Runner().RunActive() && !window.Runner().TaskInFlight(); }

QStringList StepLines(const QString& name) {
    return {"> " + name + " start ......", "> Load setting parameters completed!",
            "> 100 % of [" + name + "] is accomplished.", "> " + name + " is successful!"};
}

}  // namespace

void IntegratedTest::integratedRunOnTheExample() {
    if (!guitest::AllLibrariesBuilt()) QSKIP("the engine and outside libraries are not built in the bin folder");
    // Started in a folder that also holds library files of the same names: they are not loaded.
    Session session(false, [](const QString& folder) {
        for (const QString& name : guitest::kLibraryFiles) guitest::CopyFile(VANTOR_PLANTED_LIBRARY, folder + "/" + name);
    });
    QVERIFY(!QFile::exists(session.Path("planted_library_was_loaded")));
    QVERIFY2(session.Messages().size() == 7 && session.Messages().last() == "> Locate procedure in libTOVIK.so OK!",
             qPrintable(session.Messages().join('\n')));
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    QCOMPARE(session.Label("SPTitleL")->text(), QString("Detailed(SP#=53,RA#=325)"));

    session.Action("IntegratedRunB")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(window), kRunTimeoutMs);
    const QStringList lines = session.Messages();
    QVERIFY2(lines.filter("<E> ").isEmpty(), qPrintable(lines.join('\n')));
    QStringList expected;
    for (const char* name :
         {"Tolmar data generation", "Standard data calculation", "PFA calculation", "New Chemistry generation"})
        expected += StepLines(name);
    QCOMPARE(guitest::FirstMissingInOrder(lines, expected), -1);

    QVERIFY(window.Model().ReducedInpReady);
    QVERIFY(session.Action("MFile_INPSave")->isEnabled());
    const int kept = window.Model().KeptSpeciesCount;
    QVERIFY2(kept > 5 && kept < 53, qPrintable(QString::number(kept)));
    QVERIFY(session.Label("StatusPanel1")->text().startsWith(QString("Reduced Chemistry (SP#=%1, RA#=").arg(kept)));
    QVERIFY(QFile::exists(session.Path("NEW_Chem.inp")));
    QVERIFY(QFile::exists(session.Path("SP.TRM")));

    session.Action("M_Post_RCT")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(window), kRunTimeoutMs);
    const QStringList testLines = session.Messages();
    QVERIFY2(testLines.filter("<E> ").isEmpty(), qPrintable(testLines.join('\n')));
    QCOMPARE(guitest::FirstMissingInOrder(testLines,
                                          StepLines("Tolmar data generation") + StepLines("Reduced chemistry test")),
             -1);

    session.Action("M_Post_RCD")->trigger();
    QVERIFY(session.Messages().contains("> Comparison data generation completed!"));
    auto* viewer = window.findChild<TCmpDataForm*>();
    QVERIFY(viewer && viewer->isVisible());
    const QString report = viewer->findChild<QPlainTextEdit*>("DatMemo")->toPlainText();
    for (int c = 1; c <= 4; ++c) QVERIFY2(report.contains(QString("===Case %1\n").arg(c)), qPrintable(report));
    QCOMPARE(report.count("Skeletal chemistry: "), 5);  // the run header and four cases

    // Both runs are kept in the history, the comparison with the test; the viewer sets them side by side.
    const auto runs = vantor::history::ListRuns(window.WorkDirectory().toStdString());
    QCOMPARE(runs.size(), size_t{2});
    QCOMPARE(runs[0].summary.kind, std::string("integrated run"));
    QCOMPARE(runs[0].summary.keptSpecies, kept);
    QCOMPARE(runs[1].summary.kind, std::string("reduced test"));
    QVERIFY(runs[1].summary.largestPercent.has_value());
    QVERIFY(QFile::exists(QString::fromStdString(runs[1].folder) + "/CMP.dat"));
    QVERIFY(session.Messages().contains(QString::fromStdString("> Comparison kept in " + runs[1].folder)));
    session.Action("M_Post_History")->trigger();
    auto* history = window.findChild<TRunHistoryForm*>();
    QVERIFY(history && history->isVisible());
    QCOMPARE(history->RunCount(), 2);
    QVERIFY(!history->ShowSideBySide({QString::fromStdString(runs[0].name)}));
    QVERIFY(history->ShowSideBySide({QString::fromStdString(runs[0].name), QString::fromStdString(runs[1].name)}));
    QCOMPARE(history->findChildren<QChartView*>("RunDelayPlot").size(), 2);
    const auto captions = history->findChildren<QLabel*>("RunCaption");
    QCOMPARE(captions.size(), 2);
    QVERIFY2(captions[1]->text().contains(QString("Species kept: %1 of 53").arg(kept)), qPrintable(captions[1]->text()));
}

// A project with flame and stirred-reactor lines: their cases follow the integrated run and the
// reduced test on a worker of their own, and CMP.dat sets them side by side. The real libraries
// with stand-ins for the flame and stirred-reactor ones (a reduced value 2 % above the detailed).
void IntegratedTest::reactorCasesFollowTheRuns() {
    if (!guitest::AllLibrariesBuilt()) QSKIP("the engine and outside libraries are not built in the bin folder");
    QTemporaryDir libraries;
    for (const QString& name : guitest::kLibraryFiles)
        QFile::link(QString(VANTOR_BIN_DIR) + "/" + name, libraries.path() + "/" + name);
    for (const char* name : {"libPREMIX.so", "libPSR.so"})
        QFile::link(QString(VANTOR_FAKE_REACTOR_DIR) + "/" + name, libraries.path() + "/" + name);
    // Set for the whole session: the flame and stirred-reactor libraries are loaded when first needed.
    Session session(false, [&](const QString&) { qputenv("VANTOR_LIBRARY_DIR", libraries.path().toUtf8()); });
    const QString project = guitest::CopyExample(session.Folder());
    guitest::WriteText(project, guitest::ReadText(project) + "Flame=1 300 0.9 1.1\r\nPSR=2 300 1.0\r\n");
    session.OpenProject(project);
    TPruvexForm& window = session.Window();

    session.Action("IntegratedRunB")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(session.Messages().contains("> Flame and stirred-reactor cases done."), kRunTimeoutMs);
    for (const char* name : {"Tran.bin", "FLAME.dat", "PSR.dat"}) QVERIFY2(QFile::exists(session.Path(name)), name);
    QTRY_VERIFY(session.Action("M_Post_RCT")->isEnabled());
    session.Action("M_Post_RCT")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(session.Messages().contains("> Reduced flame and stirred-reactor cases done."),
                             kRunTimeoutMs);
    QVERIFY2(session.Messages().filter("<E> ").isEmpty(), qPrintable(session.Messages().join('\n')));
    QTRY_VERIFY(session.Action("M_Post_RCD")->isEnabled());
    session.Action("M_Post_RCD")->trigger();
    QVERIFY(Idle(window));
    const QString report = QString::fromUtf8(guitest::ReadText(session.Path("CMP.dat")));
    for (const char* block : {"===Flame 1", "===Flame 2", "===PSR 1"}) QVERIFY2(report.contains(block), qPrintable(report));
    QVERIFY2(report.contains("Difference(%)= 2.0000000000000"), qPrintable(report.mid(report.indexOf("===Flame"))));
    qunsetenv("VANTOR_LIBRARY_DIR");
}

QTEST_MAIN(IntegratedTest)
#include "gui_integrated_test.moc"
