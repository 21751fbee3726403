// Opening mechanisms and projects through their dialogs, the species list and its count, the
// parameter grid's editing rules, project save and reopen, the exports and the mixture wizard.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>

#include "app/core/mechanism/reduced_writer.h"
#include "app/core/pipeline/parameter_grid.h"
#include "app/workbench/list_fill.h"
#include "gui_test_support.h"

using guitest::Session;

class OpenTest : public QObject {
    Q_OBJECT
private slots:
    void openingTheExampleShowsTheWorkingLayout();
    void cancelledOpenKeepsTheMechanism();
    void unreadableMechanismShowsTheErrorBox();
    void tickingSpeciesUpdatesTheCountAndTheExports();
    void gridEditsOnlyValuesAndTheEndTimeUnit();
    void projectSaveAndReopenRestoresMethodGridAndMixtures();
    void projectWithoutMechanismRestoresSettingsOnly();
    void reopenedProjectOffersWhatItsFolderHoldsAndAFailedOpenStopsTheRuns();
    void wizardComposesMixtureLines();
    void speciesDeclaredTwiceAreListedOnce();
    void textItemsAreSizedToTheirLines();
};

namespace {

QStringList CheckedTexts(QListWidget* list, bool checked) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if ((list->item(i)->checkState() == Qt::Checked) == checked) texts << list->item(i)->text();
    return texts;
}

}  // namespace

void OpenTest::openingTheExampleShowsTheWorkingLayout() {
    Session session(true);
    guitest::CopyExample(session.Folder());
    session.Find<QPlainTextEdit>("MixtureMemo")->setPlainText("H2 1, O2 1");
    QString title;
    guitest::AnswerFileDialog(session.Path("chem.inp"), &title);
    session.Action("OpenInpB")->trigger();
    QCOMPARE(title, QString("Open a chemistry file"));

    QListWidget* species = session.List("SP_CheckListBox");
    QCOMPARE(species->count(), 53);
    QCOMPARE(CheckedTexts(species, true).size(), 53);
    QCOMPARE(species->item(0)->text(), QString("H2"));
    QCOMPARE(species->item(52)->text(), QString("CH3CHO"));
    QCOMPARE(session.Label("SPTitleL")->text(), QString("Detailed(SP#=53,RA#=325)"));

    QListWidget* text = session.List("OINP_CheckListBox");
    const QStringList fileLines = QString::fromUtf8(guitest::ReadText(session.Path("chem.inp"))).split('\n');
    QCOMPARE(text->count(), fileLines.size() - (fileLines.last().isEmpty() ? 1 : 0));
    QVERIFY(CheckedTexts(text, false).isEmpty());
    QCOMPARE(session.Find<QTabWidget>("PageS")->currentIndex(), 0);
    QCOMPARE(session.List("NEWINP_ListBox")->count(), 0);

    for (const char* shown : {"TopPanel", "LeftPanel", "RightPanel", "RdcMainPanel", "ToolBar1"})
        QVERIFY2(!session.Find<QWidget>(shown)->isHidden(), shown);
    QVERIFY(session.Find<QWidget>("CoverMemo")->isHidden());
    for (const char* enabled : {"MFile_PRJSave", "SaveProjectB", "RunPFAB", "IntegratedRunB"})
        QVERIFY2(session.Action(enabled)->isEnabled(), enabled);
    QVERIFY(session.Find<QMenu>("M_Operation")->isEnabled());
    QVERIFY(session.Action("M_Operation_IR")->isEnabled());
    QVERIFY(!session.Action("MFile_INPSave")->isEnabled());

    QVERIFY(session.Find<QPlainTextEdit>("MixtureMemo")->toPlainText().isEmpty());
    QCOMPARE(session.Grid()->Cells(), vantor::FillParameterGrid());
    QCOMPARE(session.Window().WorkDirectory(), session.Folder());
    QCOMPARE(session.Window().Model().MechanismPath, session.Path("chem.inp").toStdString());
}

void OpenTest::cancelledOpenKeepsTheMechanism() {
    Session session(true);
    guitest::CopyExample(session.Folder());
    session.OpenMechanism(session.Path("chem.inp"));
    QCOMPARE(session.List("SP_CheckListBox")->count(), 53);
    session.Find<QPlainTextEdit>("MixtureMemo")->setPlainText("CH4 1, O2 2");

    session.OpenMechanism(QString());  // cancelled
    QCOMPARE(session.List("SP_CheckListBox")->count(), 53);
    QCOMPARE(session.Window().Model().MechanismPath, session.Path("chem.inp").toStdString());
    QCOMPARE(session.Find<QPlainTextEdit>("MixtureMemo")->toPlainText(), QString("CH4 1, O2 2"));
    QCOMPARE(session.Label("SPTitleL")->text(), QString("Detailed(SP#=53,RA#=325)"));
}

void OpenTest::unreadableMechanismShowsTheErrorBox() {
    Session session(true);
    QString text;
    guitest::AnswerMessageBox(QMessageBox::Ok, &text);
    session.Window().OpenMechanismFile(session.Path("missing.inp"));
    QVERIFY2(text.contains(session.Path("missing.inp")), qPrintable(text));
    // Every file error (a failed write as much as a failed read) also stays in the memo, flagged.
    QVERIFY(session.Messages().contains("<E> " + text));
    QCOMPARE(session.Flag()->Tag(), 1);
    QCOMPARE(session.List("SP_CheckListBox")->count(), 0);
    QVERIFY(!session.Window().WorkingLayoutShown());
    QVERIFY(!session.Find<QMenu>("M_Operation")->isEnabled());
}

void OpenTest::tickingSpeciesUpdatesTheCountAndTheExports() {
    Session session(true);
    guitest::CopyExample(session.Folder());
    session.OpenMechanism(session.Path("chem.inp"));
    QListWidget* species = session.List("SP_CheckListBox");
    species->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(session.Label("KeepL")->text(), QString("Species Kept:52; Trimmed:1"));
    QVERIFY(!session.Window().Model().Species[1].checked);

    session.PopUp("M_File");
    QVERIFY(session.Find<QMenu>("M_File_Export")->isEnabled());
    QString title;
    guitest::AnswerFileDialog(session.Path("trimmed.txt"), &title);
    session.Action("Deletedspecie1")->trigger();
    QCOMPARE(title, QString("Trimed species data"));
    const QList<QByteArray> lines = guitest::ReadText(session.Path("trimmed.txt")).split('\n');
    QVERIFY(lines[0].startsWith("===Deleted species list created by Pruvex "));
    QCOMPARE(lines[1], QByteArray("H\r"));
    QCOMPARE(lines.size(), 3);  // header, H, and the end of the last line

    guitest::AnswerFileDialog(session.Path("kept.txt"));
    session.Action("Keptspecies1")->trigger();
    QCOMPARE(guitest::ReadText(session.Path("kept.txt")).count('\n'), 53);
}

void OpenTest::gridEditsOnlyValuesAndTheEndTimeUnit() {
    Session session(true);
    T2cccStringGrid* grid = session.Grid();
    QCOMPARE(grid->rowCount(), 9);
    QCOMPARE(grid->columnCount(), 4);
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 4; ++column) {
            const bool editable = row >= 1 && (column == 2 || (column == 1 && row == 5));
            QCOMPARE(bool(grid->item(row, column)->flags() & Qt::ItemIsEditable), editable);
        }
    }
    grid->editItem(grid->item(5, 1));
    auto* pickList = grid->findChild<QComboBox*>("UnitPickList");
    QVERIFY(pickList);
    QCOMPARE(pickList->count(), 3);
    QCOMPARE(pickList->itemText(0), QString("tmax"));
    QCOMPARE(pickList->itemText(2), QString("Tig"));
    QCOMPARE(pickList->currentText(), QString("Tig"));
}

void OpenTest::projectSaveAndReopenRestoresMethodGridAndMixtures() {
    Session session(true);
    guitest::CopyExample(session.Folder());
    session.OpenMechanism(session.Path("chem.inp"));
    session.Action("M_Setting_MORVA")->trigger();
    T2cccStringGrid* grid = session.Grid();
    const QStringList units{"atm", "K", "/", "/", "sec", "/", "s", "s"};
    const QStringList values{"1.5,3.0", "900,1100,1300", "0.9", "0.1", "3.0", "30", "2.0E+9", "2.0E-8"};
    for (int row = 1; row <= 8; ++row) {
        grid->SetCell(row, 1, units[row - 1]);
        grid->SetCell(row, 2, values[row - 1]);
    }
    auto* mixtures = session.Find<QPlainTextEdit>("MixtureMemo");
    mixtures->setPlainText("CH4 1, O2 2\n\nH2 1, O2 0.5\n");

    // The thermo data under a name of its own travels with the project.
    QFile::copy(session.Path("therm.dat"), session.Path("thermdat"));
    guitest::AnswerFileDialog(session.Path("thermdat"));
    session.Action("M_File_Thermo")->trigger();

    QString title;
    guitest::AnswerFileDialog(session.Path("saved.PRJ"), &title);
    session.Action("SaveProjectB")->trigger();
    QCOMPARE(title, QString("Project save"));
    const QByteArray saved = guitest::ReadText(session.Path("saved.PRJ"));
    // Files of the project's own folder are written relative to it.
    QVERIFY(saved.startsWith("ECFPROJ\r\nchem.inp\r\natm\r\n1.5,3.0\r\n"));
    QVERIFY(saved.endsWith("\r\nThermo=thermdat\r\n"));

    // Change everything the project holds, then reopen it.
    session.Action("M_Setting_KELDA")->trigger();
    grid->LoadCells(vantor::FillParameterGrid());
    mixtures->setPlainText("C2H6 1, O2 3.5");
    session.List("SP_CheckListBox")->item(3)->setCheckState(Qt::Unchecked);
    session.OpenProject(session.Path("saved.PRJ"));

    QVERIFY(session.Action("M_Setting_MORVA")->isChecked());
    QVERIFY(!session.Action("M_Setting_KELDA")->isChecked());
    QVERIFY(session.Window().Runner().EcfSelected());
    for (int row = 1; row <= 8; ++row) {
        QCOMPARE(grid->Cell(row, 1), units[row - 1]);
        QCOMPARE(grid->Cell(row, 2), values[row - 1]);
        QCOMPARE(grid->Cell(row, 0).toStdString(), vantor::FillParameterGrid()[static_cast<size_t>(row)][0]);
    }
    QCOMPARE(mixtures->toPlainText(), QString("CH4 1, O2 2\nH2 1, O2 0.5"));
    QCOMPARE(QString::fromStdString(session.Window().CurrentFiles().thermoPath), session.Path("thermdat"));
    QCOMPARE(CheckedTexts(session.List("SP_CheckListBox"), true).size(), 53);
    QCOMPARE(session.Label("SPTitleL")->text(), QString("Detailed(SP#=53,RA#=325)"));
}

void OpenTest::projectWithoutMechanismRestoresSettingsOnly() {
    Session session(true);
    guitest::WriteText(session.Path("empty.PRJ"),
                       "PFAPROJ\r\n\r\natm\r\n5.0\r\nK\r\n1500\r\n/\r\n0.5\r\n/\r\n0.0\r\ntmax\r\n1.0\r\n/\r\n10\r\n"
                       "s\r\n1.0E+10\r\ns\r\n1.0E-8\r\nH2 2, O2 1\r\n");
    session.OpenProject(session.Path("empty.PRJ"));
    QCOMPARE(session.Grid()->Cell(1, 2), QString("5.0"));
    QCOMPARE(session.Grid()->Cell(5, 1), QString("tmax"));
    QCOMPARE(session.Find<QPlainTextEdit>("MixtureMemo")->toPlainText(), QString("H2 2, O2 1"));
    QVERIFY(!session.Window().WorkingLayoutShown());
    QCOMPARE(session.Window().WorkDirectory(), session.Folder());
    QVERIFY(!session.Action("MFile_PRJSave")->isEnabled());
}

void OpenTest::reopenedProjectOffersWhatItsFolderHoldsAndAFailedOpenStopsTheRuns() {
    Session session(true);
    const QString project = guitest::CopyExample(session.Folder());
    // A name without ".inp" opens as typed, whatever the filter.
    QFile::copy(session.Path("chem.inp"), session.Path("mech-FFCM1"));
    session.OpenMechanism(session.Path("mech-FFCM1"));
    QCOMPARE(session.List("SP_CheckListBox")->count(), 53);
    QCOMPARE(session.Window().Model().MechanismBinaryPath, session.Path("mech-FFCM1.bin").toStdString());

    // The folder's reduced mechanism of an earlier run (OH and HO2 removed).
    session.OpenProject(project);
    guitest::WriteText(session.Path("SP.TRM"), "5 7\n");
    vantor::ReducedWriterJob job{session.Window().Model(), {}, session.Path("SP.TRM").toStdString(),
                                 session.Folder().toStdString()};
    int32_t status = 0;
    double progress = 0.0;
    QCOMPARE(vantor::WriteReducedMechanism(job, &status, &progress, nullptr), vantor::kReducedWriterSuccess);
    session.PopUp("M_Post");
    QVERIFY(!session.Action("M_Post_RCT")->isEnabled());

    session.OpenProject(project);
    session.PopUp("M_Post");
    QVERIFY(session.Action("M_Post_RCT")->isEnabled());
    QVERIFY(session.Action("M_Post_RCD")->isEnabled());
    QCOMPARE(CheckedTexts(session.List("SP_CheckListBox"), false), (QStringList{"OH", "HO2"}));
    QCOMPARE(session.List("NEWINP_ListBox")->count(), static_cast<int>(session.Window().Model().ReducedText.size()));

    // A project whose mechanism is gone leaves no run to start.
    guitest::WriteText(session.Path("gone.PRJ"), guitest::ReadText(project).replace("chem.inp", "gone.inp"));
    guitest::AnswerMessageBox(QMessageBox::Ok);
    session.Window().OpenProjectFile(session.Path("gone.PRJ"));
    session.PopUp("M_Post");
    for (const char* disabled : {"RunPFAB", "IntegratedRunB", "M_Operation_IR", "M_Post_RCT", "M_Post_RCD"})
        QVERIFY2(!session.Action(disabled)->isEnabled(), disabled);
    QVERIFY(!session.Find<QMenu>("M_Operation")->isEnabled());
    session.OpenMechanism(session.Path("chem.inp"));
    QVERIFY(session.Action("IntegratedRunB")->isEnabled());
}

void OpenTest::wizardComposesMixtureLines() {
    Session session(true);
    guitest::CopyExample(session.Folder());
    session.OpenMechanism(session.Path("chem.inp"));
    auto* mixtures = session.Find<QPlainTextEdit>("MixtureMemo");

    QString airCaption;
    guitest::OnNextModal([&airCaption](QWidget* wizard) {
        QCOMPARE(wizard->windowTitle(), QString("Mixture setting wizard "));
        auto* list = wizard->findChild<QListWidget*>("SpListBox");
        list->setCurrentRow(list->row(list->findItems("CH4", Qt::MatchExactly).first()));
        QCOMPARE(wizard->findChild<QLineEdit*>("SelSPE")->text(), QString("CH4"));
        wizard->findChild<QLineEdit*>("SpmolE")->setText("1");
        wizard->findChild<QPushButton*>("AddFuelB")->click();
        wizard->findChild<QLineEdit*>("SpmolE")->setText("x");  // not a number: nothing is added
        wizard->findChild<QPushButton*>("AddFuelB")->click();
        QCOMPARE(wizard->findChild<QPlainTextEdit*>("MixM")->toPlainText(), QString("CH4 1"));
        airCaption = wizard->findChild<QRadioButton*>("Airsel")->text();
        wizard->findChild<QPushButton*>("OKBtn")->click();
    });
    session.Find<QPushButton>("MixWizardB")->click();
    QCOMPARE(airCaption, QString("AIR"));
    QCOMPARE(mixtures->toPlainText(),
             QString("CH4 1.00, O2 4.00, N2 15.04\nCH4 1.00, O2 2.00, N2 7.52\nCH4 1.00, O2 1.33, N2 5.01"));

    // The fuel memo starts empty again, the ratios stay; pure oxygen drops the nitrogen.
    guitest::OnNextModal([](QWidget* wizard) {
        QVERIFY(wizard->findChild<QPlainTextEdit*>("MixM")->toPlainText().isEmpty());
        QCOMPARE(wizard->findChild<QPlainTextEdit*>("PHIM")->toPlainText(), QString("0.5\n1.0\n1.5"));
        wizard->findChild<QPlainTextEdit*>("MixM")->setPlainText("H2 0.5\nCO 0.5");
        wizard->findChild<QPlainTextEdit*>("PHIM")->setPlainText("1.0");
        wizard->findChild<QRadioButton*>("O2Sel")->setChecked(true);
        wizard->findChild<QPushButton*>("OKBtn")->click();
    });
    session.Find<QPushButton>("MixWizardB")->click();
    QCOMPARE(mixtures->toPlainText(), QString("H2 0.50, CO 0.50, O2 0.50"));

    guitest::OnNextModal([](QWidget* wizard) {
        wizard->findChild<QPlainTextEdit*>("MixM")->setPlainText("CH4 1");
        wizard->findChild<QPushButton*>("CancelBtn")->click();
    });
    session.Find<QPushButton>("MixWizardB")->click();
    QCOMPARE(mixtures->toPlainText(), QString("H2 0.50, CO 0.50, O2 0.50"));
}

void OpenTest::speciesDeclaredTwiceAreListedOnce() {
    Session session(true);
    guitest::CopyFile(QString(VANTOR_TEST_DATA_DIR) + "/nc7_llnl/chem.inp", session.Path("nc7.inp"));
    session.OpenMechanism(session.Path("nc7.inp"));
    const QStringList warnings = session.Messages().filter(QRegularExpression("^> Species .* is declared again"));
    QCOMPARE(warnings.size(), 4);
    QListWidget* species = session.List("SP_CheckListBox");
    QSet<QString> names;
    for (int i = 0; i < species->count(); ++i) names.insert(species->item(i)->text());
    QCOMPARE(names.size(), species->count());
    QCOMPARE(
        session.Label("SPTitleL")->text(),
        QString("Detailed(SP#=%1,RA#=%2)").arg(species->count()).arg(session.Window().Model().DetailedReactionCount));
}

// The text lists measure plain items from character advances: no line may come out cut.
void OpenTest::textItemsAreSizedToTheirLines() {
    QListWidget list;
    list.setFont(QFont("Serif", 8));
    auto* delegate = new vantor::TextLineDelegate(14, &list);
    list.setItemDelegate(delegate);
    const QString longLine = "CH3COCH2O2H<=>CH3COCH2O+OH   1.000E+16   0.000   4.300E+04 ! WWWW mmmm iiii";
    list.addItems({longLine, "H+O2(+M)<=>HO2(+M)\nLOW / 6.366E+20 -1.72 5.248E+02 /"});
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.font = list.font();
    option.fontMetrics = QFontMetrics(list.font());
    const QSize one = delegate->sizeHint(option, list.model()->index(0, 0));
    QCOMPARE(one.height(), 14);
    QVERIFY(one.width() >= option.fontMetrics.horizontalAdvance(longLine));
    const QSize two = delegate->sizeHint(option, list.model()->index(1, 0));
    QCOMPARE(two.height(), 28);
    QVERIFY(two.width() >= option.fontMetrics.horizontalAdvance("LOW / 6.366E+20 -1.72 5.248E+02 /"));
}

QTEST_MAIN(OpenTest)
#include "gui_open_test.moc"
