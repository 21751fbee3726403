// The main window's menus and tool bar, and the rules that enable their commands.

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "app/workbench/pruvex_form.h"

QAction* TPruvexForm::AddItem(QMenu* menu, const char* name, const char* caption, void (TPruvexForm::*handler)(),
                              const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TPruvexForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    M_File = bar->addMenu("&File");
    M_File->setObjectName("M_File");
    M_File_PRJOpen = AddItem(M_File, "M_File_PRJOpen", "PRJ Open", &TPruvexForm::PRJOpenClick, QKeySequence("Ctrl+P"));
    M_File_Open = AddItem(M_File, "M_File_Open", "INP Open", &TPruvexForm::INPOpenClick, QKeySequence("Ctrl+O"));
    MFile_PRJSave = AddItem(M_File, "MFile_PRJSave", "PRJ Save", &TPruvexForm::PRJSaveClick, QKeySequence("Ctrl+A"));
    MFile_INPSave = AddItem(M_File, "MFile_INPSave", "INP Save", &TPruvexForm::INPSaveClick, QKeySequence("Ctrl+S"));
    AddItem(M_File, "M_File_Thermo", "Thermo file...", &TPruvexForm::ThermoFileClick);
    AddItem(M_File, "M_File_Transport", "Transport file...", &TPruvexForm::TransportFileClick);
    MFile_PRJSave->setEnabled(false);
    MFile_INPSave->setEnabled(false);
    M_File_Export = M_File->addMenu("Export");
    M_File_Export->setObjectName("M_File_Export");
    M_File_Export->menuAction()->setObjectName("M_File_ExportItem");
    AddItem(M_File_Export, "Keptspecies1", "Kept species", &TPruvexForm::ExportKeptClick);
    AddItem(M_File_Export, "Deletedspecie1", "Trimed species", &TPruvexForm::ExportTrimmedClick);
    M_File->addSeparator();
    M_File_Exit = AddItem(M_File, "M_File_Exit", "Exit", &TPruvexForm::ExitClick, QKeySequence("Ctrl+X"));
    connect(M_File, &QMenu::aboutToShow, this, &TPruvexForm::FileMenuPopup);

    M_Setting = bar->addMenu("Setting");
    M_Setting->setObjectName("M_Setting");
    M_Setting_WDir = AddItem(M_Setting, "M_Setting_WDir", "Work Directory", &TPruvexForm::WorkDirectoryClick);
    M_Setting_WDir->setVisible(false);
    M_Setting_IR = AddItem(M_Setting, "M_Setting_IR", "Integrated Run", &TPruvexForm::IntegratedRunSettingsClick);
    M_Setting_Keep = AddItem(M_Setting, "M_Setting_Keep", "Always-kept species...", &TPruvexForm::AlwaysKeptClick);
    M_Setting->addSeparator();
    M_Setting_KELDA = AddItem(M_Setting, "M_Setting_KELDA", "KELDA", &TPruvexForm::KeldaClick);
    M_Setting_MORVA = AddItem(M_Setting, "M_Setting_MORVA", "MORVA", &TPruvexForm::MorvaClick);
    M_Setting_BRENA = AddItem(M_Setting, "M_Setting_BRENA", "BRENA (DRG)", &TPruvexForm::BrenaClick);
    M_Setting_TOVIK = AddItem(M_Setting, "M_Setting_TOVIK", "TOVIK (DRGEP)", &TPruvexForm::TovikClick);
    M_Setting_Targets = AddItem(M_Setting, "M_Setting_Targets", "Target species...", &TPruvexForm::TargetSpeciesClick);
    auto* methods = new QActionGroup(this);
    methods->setExclusive(true);
    for (QAction* method : MethodActions()) {
        method->setCheckable(true);
        methods->addAction(method);
    }
    M_Setting_KELDA->setChecked(true);

    M_Operation = bar->addMenu("&Reduction");
    M_Operation->setObjectName("M_Operation");
    M_Operation_IR =
        AddItem(M_Operation, "M_Operation_IR", "Integrated Reduction", &TPruvexForm::IntegratedReductionClick);
    M_Operation_Target = AddItem(M_Operation, "M_Operation_Target", "Reduce to target error...",
                                 &TPruvexForm::TargetErrorClick);
    M_Operation_TargetStop =
        AddItem(M_Operation, "M_Operation_TargetStop", "Stop target search", &TPruvexForm::TargetStopClick);
    M_Operation->addSeparator();
    M_Operation_ChemBin =
        AddItem(M_Operation, "M_Operation_ChemBin", "Create chem.bin", &TPruvexForm::CreateChemBinClick);
    M_Operation_TranBin =
        AddItem(M_Operation, "M_Operation_TranBin", "Create Tran.bin", &TPruvexForm::CreateTranBinClick);
    M_Operation_STD = AddItem(M_Operation, "M_Operation_STD", "Generate standart data",
                              &TPruvexForm::GenerateStandardDataClick, QKeySequence(Qt::Key_F4));
    M_Operation_PFA = AddItem(M_Operation, "M_Operation_PFA", "Generate trimmed data",
                              &TPruvexForm::GenerateTrimmedDataClick, QKeySequence(Qt::Key_F5));
    const struct {
        const char* name;
        const char* caption;
        void (TPruvexForm::*handler)();
    } hidden[] = {
        {"LoadSpecieslist1", "Remove by species name", &TPruvexForm::RemoveBySpeciesNameClick},
        {"KeepSpecieslist1", "Keep by species name", &TPruvexForm::KeepBySpeciesNameClick},
        {"OP_CSL", "Create Species list", &TPruvexForm::CreateSpeciesListClick},
        {"DeleteSpecieslist1", "Trim species and Reacrions", &TPruvexForm::TrimSpeciesClick},
        {"KeepSpecieslist2", "Keep by species #", &TPruvexForm::KeepBySpeciesNumberClick},
        {"Removebyreaction1", "Remove by reaction #", &TPruvexForm::RemoveByReactionClick},
    };
    for (const auto& item : hidden) AddItem(M_Operation, item.name, item.caption, item.handler)->setVisible(false);
    M_Operation->addSeparator();
    CreateNewinpfile1 =
        AddItem(M_Operation, "CreateNewinpfile1", "Create reduced inp file", &TPruvexForm::CreateReducedInpClick);
    M_Operation->menuAction()->setObjectName("M_OperationItem");
    M_Operation->setEnabled(false);
    connect(M_Operation, &QMenu::aboutToShow, this, &TPruvexForm::UpdateCommandStates);

    M_Post = bar->addMenu("&Post");
    M_Post->setObjectName("M_Post");
    M_Post_RCT = AddItem(M_Post, "M_Post_RCT", "Reduced chemistry test", &TPruvexForm::ReducedTestClick);
    M_Post_RCD = AddItem(M_Post, "M_Post_RCD", "Reduced chemistry data", &TPruvexForm::ReducedDataClick);
    M_Post_History = AddItem(M_Post, "M_Post_History", "Run history...", &TPruvexForm::RunHistoryClick);
    connect(M_Post, &QMenu::aboutToShow, this, &TPruvexForm::UpdateCommandStates);

    M_Tools = bar->addMenu("&Tools");
    M_Tools->setObjectName("M_Tools");
    AddItem(M_Tools, "M_Tools_GenBin", "Generate bin. files", &TPruvexForm::NoAction)->setVisible(false);
    AddItem(M_Tools, "M_Tools_ExportBin", "Export Bin", &TPruvexForm::NoAction)->setVisible(false);

    M_Help = bar->addMenu("&Help");
    M_Help->setObjectName("M_Help");
    AddItem(M_Help, "M_Help_About", "About", &TPruvexForm::AboutClick);
    AddItem(M_Help, "M_Help_Doc", "Help Doc", &TPruvexForm::HelpDocClick);
}

void TPruvexForm::CreateToolBar() {
    ToolBar1 = new QToolBar("ToolBar1", this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(29);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    QPalette white = ToolBar1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Button, Qt::white);
    ToolBar1->setPalette(white);
    ToolBar1->setAutoFillBackground(true);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    QStyle* style = QApplication::style();
    const auto add = [&](const char* name, const char* caption, QStyle::StandardPixmap icon,
                         void (TPruvexForm::*handler)()) {
        QAction* action = ToolBar1->addAction(style->standardIcon(icon), caption);
        action->setObjectName(name);
        if (QWidget* button = ToolBar1->widgetForAction(action)) button->setObjectName(QString(name) + "Button");
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    OpenProjectB = add("OpenProjectB", "Open project", QStyle::SP_DirOpenIcon, &TPruvexForm::PRJOpenClick);
    OpenInpB = add("OpenInpB", "Open Inp file", QStyle::SP_FileIcon, &TPruvexForm::INPOpenClick);
    SaveProjectB = add("SaveProjectB", "Save project", QStyle::SP_DialogSaveButton, &TPruvexForm::PRJSaveClick);
    ToolBar1->addSeparator();
    RunPFAB = add("RunPFAB", "Run PFA", QStyle::SP_MediaPlay, &TPruvexForm::GenerateTrimmedDataClick);
    IntegratedRunB =
        add("IntegratedRunB", "Integrated Run", QStyle::SP_MediaSeekForward, &TPruvexForm::IntegratedRunButtonClick);
    add("ExportB", "Export", QStyle::SP_DialogSaveButton, &TPruvexForm::NoAction)->setVisible(false);
    for (QAction* action : {SaveProjectB, RunPFAB, IntegratedRunB}) action->setEnabled(false);
}

// "Export" needs species to export; "INP Save" a reduced mechanism.
void TPruvexForm::FileMenuPopup() {
    M_File_Export->setEnabled(!model_.Species.empty());
    MFile_INPSave->setEnabled(model_.ReducedInpReady);
}

// The run commands follow the runner (no run active, no task running); the reduced test and the
// comparison need a reduced mechanism. Run from each menu's opening and from every timer tick,
// so the shortcuts follow the same rules.
void TPruvexForm::UpdateCommandStates() {
    const bool menuOpen = M_Operation->isEnabled();
    const bool available = menuOpen && runner_ && runner_->CommandsAvailable() && !BackgroundWorkRunning();
    // "Create reduced inp file" follows the same rule: it would otherwise replace an active run.
    for (QAction* action : {M_Operation_IR, M_Operation_ChemBin, M_Operation_TranBin, M_Operation_STD, M_Operation_PFA,
                            CreateNewinpfile1, M_Operation_Target})
        action->setEnabled(available);
    M_Operation_TargetStop->setEnabled(TargetSearchRunning());
    M_Post_RCT->setEnabled(model_.ReducedInpReady && !BackgroundWorkRunning());
    M_Post_RCD->setEnabled(model_.ReducedInpReady && !BackgroundWorkRunning());
    if (model_.ReducedInpReady) MFile_INPSave->setEnabled(true);
}

void TPruvexForm::EnableAfterOpen() {
    MFile_PRJSave->setEnabled(true);
    SaveProjectB->setEnabled(true);
    IntegratedRunB->setEnabled(true);
    RunPFAB->setEnabled(true);
    M_Operation->setEnabled(true);
    UpdateCommandStates();
}

void TPruvexForm::DisableRunsWithoutMechanism() {
    IntegratedRunB->setEnabled(false);
    RunPFAB->setEnabled(false);
    M_Operation->setEnabled(false);
    UpdateCommandStates();
}

std::array<QAction*, 4> TPruvexForm::MethodActions() const {
    return {M_Setting_KELDA, M_Setting_MORVA, M_Setting_BRENA, M_Setting_TOVIK};
}

void TPruvexForm::SelectMethod(vantor::EngineMethod method) {
    runner_->SelectMethod(method);
    const auto actions = MethodActions();
    for (size_t i = 0; i < actions.size(); ++i) actions[i]->setChecked(i == static_cast<size_t>(method));
}

vantor::EngineMethod TPruvexForm::CheckedMethod() const {
    const auto actions = MethodActions();
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i]->isChecked()) return static_cast<vantor::EngineMethod>(i);
    return vantor::EngineMethod::Pfa;
}
