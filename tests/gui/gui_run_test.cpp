// Runs driven by the window's own timers, on fake libraries that finish at once or fail on
// request: the integrated run's lines and results, the reduced test and the comparison viewer,
// a settings error and the blinking flag, an engine failure, a failed generation and the close
// query, and commands refused while a run is active.

#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>

#include "app/workbench/compdat_form.h"
#include "gui_test_support.h"

using guitest::Session;

class RunTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        qunsetenv("VANTOR_FAKE_FAIL");
        qunsetenv("VANTOR_FAKE_HOLD");
    }
    void integratedRunReducedTestAndComparison();
    void settingsErrorBlinksTheFlagUntilClicked();
    void engineFailureHaltsTheRunAndLeavesCommandsAvailable();
    void failedGenerationAsksBeforeClosing();
    void comparisonWithoutResultsStillOpensTheViewer();
    void openIsRefusedWhileARunIsActive();
    void closingDuringARunWaitsForTheCurrentStep();
};

namespace {

constexpr int kRunTimeoutMs = 60000;

bool Idle(TPruvexForm& window) { return !window.Runner().RunActive() && !window.Runner().TaskInFlight(); }

QStringList StepLines(const QString& name) {
    return {"> " + name + " start ......", "> Load setting parameters completed!",
            "> 100 % of [" + name + "] is accomplished.", "> " + name + " is successful!"};
}

void WriteTrimmedSpecies(const Session& session) {
    guitest::WriteText(session.Path("SP.TRM"), "NOTE: Original SP#=53\r\n 52 53\r\n");
}

}  // namespace

void RunTest::integratedRunReducedTestAndComparison() {
    Session session(true);
    const QString project = guitest::CopyExample(session.Folder());
    session.OpenProject(project);
    TPruvexForm& window = session.Window();
    session.Action("IntegratedRunB")->trigger();
    QVERIFY(window.Runner().RunActive());
    QVERIFY(!session.Action("M_Operation_IR")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(Idle(window) && window.Model().ReducedInpReady, kRunTimeoutMs);

    const QStringList lines = session.Messages();
    QStringList expected;
    for (const char* name :
         {"Tolmar data generation", "Standard data calculation", "PFA calculation", "New Chemistry generation"})
        expected += StepLines(name);
    QCOMPARE(guitest::FirstMissingInOrder(lines, expected), -1);
    const QRegularExpression elapsed("^> Elapsed time:\\d+\\.\\d{3}s$");
    QCOMPARE(lines.filter(elapsed).size(), 4);
    QVERIFY(lines.filter("<E> ").isEmpty());
    QVERIFY(session.Flag()->isHidden());

    // The reduced mechanism reached the window's lists on this thread.
    QVERIFY(session.Action("MFile_INPSave")->isEnabled());
    session.PopUp("M_File");
    QVERIFY(session.Action("MFile_INPSave")->isEnabled());
    QListWidget* reduced = session.List("NEWINP_ListBox");
    QVERIFY(reduced->count() > 300);
    QVERIFY(reduced->item(1)->text().startsWith("!Chemistry reduced by PFA @"));
    QListWidget* species = session.List("SP_CheckListBox");
    QCOMPARE(species->item(51)->checkState(), Qt::Unchecked);
    QCOMPARE(species->item(52)->checkState(), Qt::Unchecked);
    QCOMPARE(session.Label("KeepL")->text(), QString("Species Kept:51; Trimmed:2"));
    QVERIFY(session.Label("StatusPanel1")->text().startsWith("Reduced Chemistry (SP#=51, RA#="));
    QVERIFY(QFile::exists(session.Path("NEW_Chem.inp")));
    QVERIFY(!window.Model().GenerationPending);
    QTRY_VERIFY_WITH_TIMEOUT(session.Label("HBPanel")->text().isEmpty(), 5000);

    guitest::AnswerFileDialog(session.Path("skeletal.inp"));
    session.Action("MFile_INPSave")->trigger();
    QCOMPARE(guitest::ReadText(session.Path("skeletal.inp")), guitest::ReadText(session.Path("NEW_Chem.inp")));

    session.PopUp("M_Post");
    QVERIFY(session.Action("M_Post_RCT")->isEnabled());
    session.Action("M_Post_RCT")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(window), kRunTimeoutMs);
    const QStringList testLines = session.Messages();
    QCOMPARE(guitest::FirstMissingInOrder(testLines,
                                          StepLines("Tolmar data generation") + StepLines("Reduced chemistry test")),
             -1);
    QVERIFY(QFile::exists(session.Path("New_SAVE.dat")));
    QVERIFY(QFile::exists(session.Path("New_Chem.bin")));

    session.Action("M_Post_RCD")->trigger();
    QVERIFY(session.Messages().contains("> Comparison data generation completed!"));
    auto* viewer = window.findChild<TCmpDataForm*>();
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QString("Chemistry comparison"));
    // Kept above the main window only.
    QVERIFY(!(viewer->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(viewer->windowHandle() && viewer->windowHandle()->transientParent() == window.windowHandle());
    const QString report = viewer->findChild<QPlainTextEdit*>("DatMemo")->toPlainText();
    QVERIFY2(report.contains("\n===Case 1\nINI P(atm)=  1.0\n"), qPrintable(report));
    QVERIFY(report.contains("Detailed chemistry: DTAUi(s)=  1.0E-01; DTMAX(K)=  1500.0"));

    guitest::AnswerFileDialog(session.Path("copy.dat"));
    viewer->findChild<QPushButton*>("SaveBtn")->click();
    const QByteArray copy = guitest::ReadText(session.Path("copy.dat"));
    QVERIFY(
        copy.startsWith("-----------------------------------------------------------\r\n"
                        "The comparison between the detailed and reduced chemistry\r\n"));
    QVERIFY(copy.contains("\r\n===Case 1\r\n"));
    viewer->findChild<QPushButton*>("OKBtn")->click();
    QTRY_VERIFY(window.findChild<TCmpDataForm*>() == nullptr);
}

void RunTest::settingsErrorBlinksTheFlagUntilClicked() {
    Session session(true);
    guitest::CopyExample(session.Folder());
    session.OpenMechanism(session.Path("chem.inp"));
    session.Find<QPlainTextEdit>("MixtureMemo")->setPlainText("CH4 1, O2 2");
    session.Grid()->SetCell(1, 2, "1.0,abc");
    session.Action("M_Operation_STD")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(session.Messages().contains("<E> Paramater Setting Error."), 5000);
    QCOMPARE(guitest::FirstMissingInOrder(session.Messages(),
                                          {"<E> Data for Pressure is  illegal.", "<E> Paramater Setting Error."}),
             -1);
    TErrorFlag* flag = session.Flag();
    QCOMPARE(flag->Tag(), 1);

    bool seenHidden = false;
    bool seenShown = false;
    for (int i = 0; i < 30 && !(seenHidden && seenShown); ++i) {
        QTest::qWait(100);
        (flag->isHidden() ? seenHidden : seenShown) = true;
    }
    QVERIFY2(seenHidden && seenShown, "the flag does not blink");

    QTRY_VERIFY(!flag->isHidden());
    QTest::mouseClick(flag, Qt::LeftButton);
    QCOMPARE(flag->Tag(), 0);
    for (int i = 0; i < 25; ++i) {
        QTest::qWait(100);
        QVERIFY2(!flag->isHidden(), "the clicked flag went on blinking");
    }

    // A command that starts work resets the flag.
    session.Grid()->SetCell(1, 2, "1.0");
    session.Action("M_Operation_ChemBin")->trigger();
    QVERIFY(flag->isHidden());
    QCOMPARE(flag->Tag(), 0);
}

void RunTest::engineFailureHaltsTheRunAndLeavesCommandsAvailable() {
    Session session(true);
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    guitest::WriteText(session.Path("chem.bin"), "binary");
    guitest::WriteText(session.Path("SAVE.dat"), "data");
    qputenv("VANTOR_FAKE_FAIL", "KELDA");
    session.Action("RunPFAB")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(window.Runner().Halted(), 10000);
    QCOMPARE(guitest::FirstMissingInOrder(session.Messages(),
                                          {"> PFA calculation start ......", "<E> Run PFA procedure failed",
                                           "> Something wrrong #7 ,please check out.dat file."}),
             -1);
    QCOMPARE(session.Flag()->Tag(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(session.Action("M_Operation_STD")->isEnabled(), 3000);

    // The same with the ECF engine, chosen in the menu.
    session.Action("M_Setting_MORVA")->trigger();
    qputenv("VANTOR_FAKE_FAIL", "MORVA");
    session.Action("M_Operation_PFA")->trigger();
    QVERIFY(session.Flag()->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(session.Messages().contains("> Something wrrong #7 ,please check out.dat file."), 10000);
    QCOMPARE(guitest::FirstMissingInOrder(session.Messages(),
                                          {"> ECF calculation start ......", "<E> Run ECF procedure failed"}),
             -1);
}

void RunTest::failedGenerationAsksBeforeClosing() {
    Session session(true);
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    WriteTrimmedSpecies(session);
    QVERIFY(QDir(session.Folder()).mkdir("NEW_Chem.inp"));  // the reduced file cannot be stored
    session.Action("CreateNewinpfile1")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(window.Runner().Halted(), 10000);
    QCOMPARE(guitest::FirstMissingInOrder(session.Messages(), {"> New Chemistry generation start ......",
                                                               "<E> Reduced chemistry creation failed",
                                                               "> Something wrrong #102 ,please check out.dat file."}),
             -1);
    QVERIFY(window.Model().GenerationPending);
    QVERIFY(!window.Model().ReducedInpReady);
    QVERIFY(session.List("NEWINP_ListBox")->count() > 0);

    QString question;
    guitest::AnswerMessageBox(QMessageBox::Yes, &question);
    QVERIFY(!window.close());
    QCOMPARE(question, QString("Do you want to save the new Inp file?"));
    QVERIFY(window.isVisible());

    question.clear();
    guitest::AnswerMessageBox(QMessageBox::No, &question);
    QVERIFY(window.close());
    QCOMPARE(question, QString("Do you want to save the new Inp file?"));
    QVERIFY(!window.isVisible());
    const QByteArray settings = guitest::ReadText(session.Path("PFA.ini"));
    QVERIFY2(settings.contains("[SYS]") && settings.contains("WDIR=" + session.Folder().toUtf8()), settings);
}

void RunTest::comparisonWithoutResultsStillOpensTheViewer() {
    Session session(true);
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    WriteTrimmedSpecies(session);
    session.Action("CreateNewinpfile1")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(window) && window.Model().ReducedInpReady, 10000);

    QString text;
    guitest::AnswerMessageBox(QMessageBox::Ok, &text);
    session.Action("M_Post_RCD")->trigger();
    QCOMPARE(text, QString("Result data are not exist"));
    QVERIFY(!session.Messages().contains("> Comparison data generation completed!"));
    auto* viewer = window.findChild<TCmpDataForm*>();
    QVERIFY(viewer && viewer->isVisible());
    QVERIFY(viewer->findChild<QPlainTextEdit*>("DatMemo")->toPlainText().isEmpty());

    // The viewer goes with the main window.
    const QPointer<TCmpDataForm> guarded(viewer);
    QVERIFY(window.close());
    QTRY_VERIFY(guarded.isNull() || !guarded->isVisible());
}

void RunTest::openIsRefusedWhileARunIsActive() {
    Session session(true);
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    session.Action("M_Post_RCT")->trigger();  // no reduced mechanism yet: nothing happens
    QVERIFY(!window.Runner().RunActive());

    session.Action("IntegratedRunB")->trigger();
    bool dialogShown = false;
    guitest::OnNextModal(
        [&dialogShown](QWidget* modal) {
            dialogShown = true;
            modal->close();
        },
        500);
    session.Action("M_File_Open")->trigger();
    QTest::qWait(700);
    QVERIFY(!dialogShown);
    QVERIFY(session.Messages().contains("<E> A run is in progress: open another file when it has ended."));
    QTRY_VERIFY_WITH_TIMEOUT(Idle(window) && window.Model().ReducedInpReady, kRunTimeoutMs);
}

void RunTest::closingDuringARunWaitsForTheCurrentStep() {
    Session session(true);
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    guitest::WriteText(session.Path("fake_hold"), "");
    qputenv("VANTOR_FAKE_HOLD", "SENKIN");
    session.Action("IntegratedRunB")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(window.Runner().TaskInFlight() && window.Runner().CurrentTaskCode() == 1, 10000);

    QString question;
    guitest::AnswerMessageBox(QMessageBox::No, &question);
    QVERIFY(!window.close());
    QCOMPARE(question, QString("A run is in progress. Quit when the current step has ended?"));
    QVERIFY(window.isVisible() && window.menuBar()->isEnabled());

    guitest::AnswerMessageBox(QMessageBox::Yes);
    QVERIFY(!window.close());
    QTest::qWait(1500);
    QVERIFY(window.isVisible());  // waiting, and showing it
    QVERIFY(session.Messages().contains("> Quitting when the current step has ended ......"));
    QVERIFY(!window.menuBar()->isEnabled());

    QFile::remove(session.Path("fake_hold"));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 10000);
    QTest::qWait(1500);  // no later step starts
    QVERIFY(session.Messages().contains("> Standard data calculation is successful!"));
    QVERIFY(!session.Messages().contains("> PFA calculation start ......"));
    QVERIFY(!window.Runner().TaskInFlight());
}

QTEST_MAIN(RunTest)
#include "gui_run_test.moc"
