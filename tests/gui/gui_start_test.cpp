// The program as it starts: cover, disabled commands, the library lines; the dialogs of the
// "Setting" and "&Help" menus; the method switch; typed numbers in the user's format.

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>

#include "app/runner/irset_form.h"
#include "app/workbench/aboutcut_form.h"
#include "app/workbench/locale_numbers.h"
#include "app/workbench/mixset_form.h"
#include "gui_test_support.h"

using guitest::Session;

class StartTest : public QObject {
    Q_OBJECT
private slots:
    void startStateShowsCoverAndDisablesCommands();
    void menusCarryTheirCaptionsShortcutsAndHiddenItems();
    void aboutDialogShowsTheVersionLine();
    void captionsAreExactlyTheWindowTitles();
    void helpDocOpensTheHelpFileOrElseTheManual();
    void integratedRunDialogStoresOnlyOnOk();
    void methodSwitchRenamesTheReductionTask();
    void typedNumbersFollowTheUserLocale();
};

void StartTest::startStateShowsCoverAndDisablesCommands() {
    Session session(true);
    TPruvexForm& window = session.Window();
    QCOMPARE(window.windowTitle(), QString("Integrated Chemistry Reduction - Vantor V4.0"));
    QVERIFY(!session.Find<QPlainTextEdit>("CoverMemo")->isHidden());
    for (const char* hidden : {"TopPanel", "LeftPanel", "RightPanel", "RdcMainPanel", "ReductionSetTitlePanel"})
        QVERIFY2(session.Find<QWidget>(hidden)->isHidden(), hidden);
    QVERIFY(session.Flag()->isHidden());
    QCOMPARE(window.focusWidget(), session.Find<QWidget>("BoatE"));

    for (const char* disabled : {"MFile_PRJSave", "MFile_INPSave", "SaveProjectB", "RunPFAB", "IntegratedRunB"})
        QVERIFY2(!session.Action(disabled)->isEnabled(), disabled);
    for (const char* enabled : {"M_File_PRJOpen", "M_File_Open", "OpenProjectB", "OpenInpB", "M_File_Exit"})
        QVERIFY2(session.Action(enabled)->isEnabled(), enabled);
    QVERIFY(!session.Find<QMenu>("M_Operation")->isEnabled());
    session.PopUp("M_File");
    QVERIFY(!session.Find<QMenu>("M_File_Export")->isEnabled());
    QVERIFY(!session.Action("MFile_INPSave")->isEnabled());
    session.PopUp("M_Post");
    QVERIFY(!session.Action("M_Post_RCT")->isEnabled());
    QVERIFY(!session.Action("M_Post_RCD")->isEnabled());

    const QStringList expected{guitest::kFakeFolderLine, "> Locate procedure in libTolmar.so OK!", "> Locate procedure in libPellor.so OK!",
                               "> Locate procedure in libSENKIN.so OK!", "> Locate procedure in libKELDA.so OK!",
                               "> Locate procedure in libMORVA.so OK!", "> Locate procedure in libBRENA.so OK!",
                               "> Locate procedure in libTOVIK.so OK!"};
    QCOMPARE(session.Messages(), expected);

    // A start without the settings file works in the start-up folder.
    QCOMPARE(window.WorkDirectory(), session.Folder());
    QCOMPARE(window.SystemDirectory(), session.Folder());
}

void StartTest::menusCarryTheirCaptionsShortcutsAndHiddenItems() {
    Session session(true);
    QStringList titles;
    for (QAction* menu : session.Window().menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "Setting", "&Reduction", "&Post", "&Tools", "&Help"}));

    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
    } items[] = {
        {"M_File_PRJOpen", "PRJ Open", "Ctrl+P"},
        {"M_File_Open", "INP Open", "Ctrl+O"},
        {"MFile_PRJSave", "PRJ Save", "Ctrl+A"},
        {"MFile_INPSave", "INP Save", "Ctrl+S"},
        {"M_File_Exit", "Exit", "Ctrl+X"},
        {"M_Operation_STD", "Generate standart data", "F4"},
        {"M_Operation_PFA", "Generate trimmed data", "F5"},
        {"Keptspecies1", "Kept species", ""},
        {"Deletedspecie1", "Trimed species", ""},
        {"M_Post_RCT", "Reduced chemistry test", ""},
        {"M_Post_RCD", "Reduced chemistry data", ""},
        {"CreateNewinpfile1", "Create reduced inp file", ""},
    };
    for (const auto& item : items) {
        QAction* action = session.Action(item.name);
        QVERIFY2(action, item.name);
        QCOMPARE(action->text(), QString(item.caption));
        QCOMPARE(action->shortcut(), QKeySequence(item.shortcut));
    }
    for (const char* hidden :
         {"M_Setting_WDir", "LoadSpecieslist1", "KeepSpecieslist1", "OP_CSL", "DeleteSpecieslist1", "KeepSpecieslist2",
          "Removebyreaction1", "M_Tools_GenBin", "M_Tools_ExportBin", "ExportB"})
        QVERIFY2(!session.Action(hidden)->isVisible(), hidden);
    QVERIFY(session.Action("M_Setting_KELDA")->isChecked());
    QVERIFY(!session.Action("M_Setting_MORVA")->isChecked());
}

void StartTest::aboutDialogShowsTheVersionLine() {
    Session session(true);
    QString text;
    guitest::OnNextModal([&text](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QString("About"));
        text = modal->findChild<QLabel*>("AboutL")->text();
        modal->findChild<QPushButton*>("ExitBtn")->click();
    });
    session.Action("M_Help_About")->trigger();
    QVERIFY(text.startsWith("This software can be used to reduce a chemistry \nbased on the PFA reduction method."));
    QVERIFY(text.endsWith("Updated @Dec.,2021 No.20211212R1"));
}

void StartTest::captionsAreExactlyTheWindowTitles() {
    SetApplicationTitle();
    QCOMPARE(QCoreApplication::applicationName(), QString(kApplicationTitle));
    // No display name of its own, which the desktop would append to every caption: the display
    // name merely follows the application name.
    QCoreApplication::setApplicationName("probe");
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
    SetApplicationTitle();
    Session session(true);
    QCOMPARE(session.Window().windowTitle(), QString("Integrated Chemistry Reduction - Vantor V4.0"));
    QCOMPARE(session.Windows().wizard->windowTitle(), QString("Mixture setting wizard "));
    QCOMPARE(session.Windows().about->windowTitle(), QString("About"));
}

namespace {

// Takes the place of the desktop's handler of file URLs.
class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

}  // namespace

void StartTest::helpDocOpensTheHelpFileOrElseTheManual() {
    Session session(true);
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    const QString manual = QString(VANTOR_BIN_DIR) + "/doc/manual.html";
    if (QFile::exists(manual)) {
        session.Action("M_Help_Doc")->trigger();
        QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(manual)});
    } else {  // built without the HTML manual
        QString text;
        guitest::AnswerMessageBox(QMessageBox::Ok, &text);
        session.Action("M_Help_Doc")->trigger();
        QVERIFY2(text.startsWith("No help file was found.") && text.contains(manual), qPrintable(text));
        QVERIFY(desktop.urls.isEmpty());
    }
    guitest::WriteText(session.Path("Vantor.chm"), "help");
    session.Action("M_Help_Doc")->trigger();
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(!desktop.urls.isEmpty());
    QCOMPARE(desktop.urls.last(), QUrl::fromLocalFile(session.Path("Vantor.chm")));
    QVERIFY(session.Flag()->isHidden());
}

void StartTest::integratedRunDialogStoresOnlyOnOk() {
    Session session(true);
    std::array<bool, 4>& choices = session.Window().Runner().IntegratedRunChoices;
    session.Action("M_Setting_IR")->trigger();
    auto* dialog = session.Window().findChild<TIRSetForm*>();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Integerated running set"));
    QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!dialog->isModal());
    QVERIFY(!dialog->findChild<QCheckBox*>("ChemtranCH")->isEnabled());
    for (const char* box : {"TolmarCH", "SenkinCH", "PFACH", "TrimCH"})
        QVERIFY2(dialog->findChild<QCheckBox*>(box)->isChecked(), box);

    dialog->findChild<QCheckBox*>("TrimCH")->setChecked(false);
    dialog->findChild<QPushButton*>("CancelBtn")->click();
    QCOMPARE(choices, (std::array<bool, 4>{true, true, true, true}));

    QTRY_VERIFY(session.Window().findChild<TIRSetForm*>() == nullptr);  // deleted on close
    session.Action("M_Setting_IR")->trigger();
    dialog = session.Window().findChild<TIRSetForm*>();
    dialog->findChild<QCheckBox*>("TolmarCH")->setChecked(false);
    dialog->findChild<QCheckBox*>("TrimCH")->setChecked(false);
    dialog->findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(choices, (std::array<bool, 4>{false, true, true, false}));
}

void StartTest::methodSwitchRenamesTheReductionTask() {
    Session session(true);
    vantor::TaskRunner& runner = session.Window().Runner();
    QAction* kelda = session.Action("M_Setting_KELDA");
    QAction* morva = session.Action("M_Setting_MORVA");
    morva->trigger();
    QVERIFY(morva->isChecked() && !kelda->isChecked());
    QVERIFY(runner.EcfSelected());
    QCOMPARE(runner.Progress().TASKs[2].Name, std::string("ECF calculation"));
    morva->trigger();  // the checked item stays checked
    QVERIFY(morva->isChecked() && !kelda->isChecked());
    kelda->trigger();
    QVERIFY(kelda->isChecked() && !morva->isChecked());
    QCOMPARE(runner.Progress().TASKs[2].Name, std::string("PFA calculation"));
}

void StartTest::typedNumbersFollowTheUserLocale() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const vantor::LocaleNumbers german = vantor::UserLocaleNumbers();
    QLocale::setDefault(previous);
    QCOMPARE(german.decimalSeparator, ',');
    QCOMPARE(german.parse("0,98").value_or(-1), 0.98);
    QCOMPARE(german.parse(" 1,0E+10 ").value_or(-1), 1.0e10);
    QVERIFY(!german.parse("1.000"));  // a group separator is not a number here
    QVERIFY(!german.parse("abc"));
    QVERIFY(!german.parse(""));

    QLocale::setDefault(QLocale::c());
    const vantor::LocaleNumbers c = vantor::UserLocaleNumbers();
    QLocale::setDefault(previous);
    QCOMPARE(c.decimalSeparator, '.');
    QCOMPARE(c.parse("1.0E-8").value_or(-1), 1.0e-8);
}

QTEST_MAIN(StartTest)
#include "gui_start_test.moc"
