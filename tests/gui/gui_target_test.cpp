// "Reduce to target error..." driven through the window with the real libraries on the bundled
// example: a bad target is refused in the dialog, the search runs on its worker while the
// window goes on, and ends with the reduced mechanism in the window and the candidate table; with
// the LAUNCHER setting its ignition runs go through the launcher.

#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

#include "app/workbench/candidate_table_form.h"
#include "app/workbench/target_error_form.h"
#include "gui_test_support.h"

using guitest::Session;

class TargetTest : public QObject {
    Q_OBJECT
private slots:
    void reduceToTargetErrorOnTheExample();
    void searchRunsThroughTheLauncherSetting();
};

// Accepts the target dialog with 10 % and no species removal.
void AcceptTargetDialog(bool* answered) {
    guitest::OnNextModal([answered](QWidget* modal) {
        auto* dialog = qobject_cast<TTargetErrorForm*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->findChild<QLineEdit*>("TargetE")->setText("10");
        dialog->findChild<QCheckBox*>("RemovalCH")->setChecked(false);
        *answered = true;
        dialog->accept();
    });
}

void TargetTest::reduceToTargetErrorOnTheExample() {
    if (!guitest::AllLibrariesBuilt()) QSKIP("the engine and outside libraries are not built in the bin folder");
    Session session(false);
    session.OpenProject(guitest::CopyExample(session.Folder()));
    TPruvexForm& window = session.Window();
    session.PopUp("M_Operation");
    QVERIFY(session.Action("M_Operation_Target")->isEnabled());
    QVERIFY(!session.Action("M_Operation_TargetStop")->isEnabled());

    QString refusal;
    bool answered = false;
    guitest::OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TTargetErrorForm*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->findChild<QLineEdit*>("TargetE")->setText("0");
        guitest::AnswerMessageBox(QMessageBox::Ok, &refusal);
        dialog->accept();  // refused: the dialog stays
        if (!dialog->isVisible()) return;
        dialog->findChild<QLineEdit*>("TargetE")->setText("10");
        dialog->findChild<QCheckBox*>("RemovalCH")->setChecked(false);
        dialog->findChild<QLineEdit*>("KeepE")->setText("AR, XYZ");
        answered = true;
        dialog->accept();
    });
    session.Action("M_Operation_Target")->trigger();
    QVERIFY(answered);
    QCOMPARE(refusal, QString("The target error must be above 0 %, not 0."));
    session.PopUp("M_Operation");
    QVERIFY(session.Action("M_Operation_TargetStop")->isEnabled());  // the window goes on meanwhile
    QVERIFY(!session.Action("M_Operation_IR")->isEnabled());
    QVERIFY(!session.Action("IntegratedRunB")->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<TCandidateTableForm*>() != nullptr, 10 * 60 * 1000);
    const QStringList lines = session.Messages();
    QVERIFY2(lines.filter("<E> ").isEmpty(), qPrintable(lines.join('\n')));
    QVERIFY(!lines.filter("> Reduction to a target error completed: ").isEmpty());
    QVERIFY(lines.contains("> Species to keep not in the mechanism, left out: XYZ"));
    QVERIFY(!lines.filter("> Results kept in " + session.Path("runs/")).isEmpty());
    QVERIFY(window.Model().ReducedInpReady);
    const int kept = window.Model().KeptSpeciesCount;
    QVERIFY2(kept > 5 && kept < 31, qPrintable(QString::number(kept)));
    QVERIFY(session.Label("StatusPanel1")->text().startsWith(QString("Reduced Chemistry (SP#=%1, RA#=").arg(kept)));
    QVERIFY(guitest::ReadText(session.Path("NEW_Chem.inp")).contains("!Target error=10.0000%"));
    const auto names = window.Model().SpeciesNames();
    const auto ar = std::find(names.begin(), names.end(), "AR");
    QVERIFY(ar != names.end() && window.Model().SpeciesMarks()[static_cast<size_t>(ar - names.begin())]);
    QVERIFY(QFile::exists(session.Path("CMP.dat")));
    auto* grid = window.findChild<TCandidateTableForm*>()->findChild<QTableWidget*>("CandidateGrid");
    QVERIFY(grid && grid->rowCount() >= 3);
    session.PopUp("M_Operation");
    QVERIFY(!session.Action("M_Operation_TargetStop")->isEnabled());
    QVERIFY(session.Action("M_Operation_Target")->isEnabled());
    QVERIFY(session.Action("IntegratedRunB")->isEnabled());
}

void TargetTest::searchRunsThroughTheLauncherSetting() {
    if (!guitest::AllLibrariesBuilt()) QSKIP("the engine and outside libraries are not built in the bin folder");
    Session session(false, [](const QString& folder) {
        guitest::WriteText(folder + "/PFA.ini", "[SYS]\r\nLAUNCHER=no-such-launcher -n 2\r\n");
    });
    session.OpenProject(guitest::CopyExample(session.Folder()));
    bool answered = false;
    AcceptTargetDialog(&answered);
    session.Action("M_Operation_Target")->trigger();
    QVERIFY(answered);
    const QString failure =
        "<E> Run standard procedure failed (the launcher 'no-such-launcher' is not found) on the detailed mechanism: "
        "the search stops.";
    QTRY_VERIFY_WITH_TIMEOUT(session.Messages().contains(failure), 60 * 1000);
    QVERIFY(session.Messages().contains("> Ignition runs through: no-such-launcher -n 2"));
    QVERIFY(!QFile::exists(session.Path("NEW_Chem.inp")));
}

QTEST_MAIN(TargetTest)
#include "gui_target_test.moc"
