#pragma once
// The main window "Integrated Chemistry Reduction - Vantor V4.0": mechanism views, species list,
// message memo, parameter grid and mixtures, with the menus and tool buttons of every command.
// It is the task runner's host (settings, files, species marks, the reduced writer, progress
// display) and the client of the runner's two timers. The window is split over several files:
// layout, menus, file commands, run commands.

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/mechanism/reactor_case_lines.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/pipeline/library_binding.h"
#include "app/core/pipeline/runner_host.h"
#include "app/core/pipeline/task_runner.h"
#include "app/core/reactors/reactor_libraries.h"
#include "app/runner/share_form.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolBar;
class QWidget;
class T2cccStringGrid;
class TAboutCutForm;
class TErrorFlag;
class TMixSetForm;
class TReactorCaseWorker;
class TTargetSearchWorker;

namespace vantor {
class MemoMessageSink;
}

class TPruvexForm : public QMainWindow, public vantor::RunnerHost, public vantor::TimerClient {
    Q_OBJECT
public:
    explicit TPruvexForm(QWidget* parent = nullptr);
    ~TPruvexForm() override;

    // The dialogs created at start-up beside the main window.
    void SetAboutForm(TAboutCutForm* about) { about_ = about; }
    void SetMixtureWizard(TMixSetForm* wizard) { wizard_ = wizard; }

    // The open commands after their dialogs; also used for a path given on the command line.
    void OpenMechanismFile(const QString& path);
    void OpenProjectFile(const QString& path);

    vantor::TaskRunner& Runner() { return *runner_; }
    const vantor::MechanismModel& Model() const { return model_; }
    QString SystemDirectory() const { return QString::fromStdString(systemDirectory_); }
    QString WorkDirectory() const { return QString::fromStdString(workDirectory_); }
    bool WorkingLayoutShown() const { return workingLayout_; }

    // RunnerHost
    vantor::SettingsInput ReadSettingsInput() override;
    vantor::RunFiles CurrentFiles() override;
    void PrepareDetailedRun() override;
    bool ReducedInpReady() override { return model_.ReducedInpReady; }
    vantor::TaskCall ReducedWriter(const vantor::JobRecord& job, const vantor::TWState& settings) override;
    void StepEnded(int taskCode, bool succeeded) override;
    vantor::ReducedCounts CurrentReducedCounts() override { return vantor::CountsOf(model_); }
    void SetProgressBar(int position) override;
    void SetHeartbeat(const std::string& caption) override;
    void ClearRunCaptions() override;

    // TimerClient
    void TaskTimerTimer() override;
    void ProgressTimerTimer() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout (pruvex_layout.cpp)
    void CreateRegions();
    QWidget* CreateTopPanel();
    QWidget* CreateCoverPanel();
    QWidget* CreateMessagePanel();
    QWidget* CreateSettingsPanel();
    void CreateStatusBar();
    void ShowCoverLayout();
    void ShowWorkingLayout();

    // Closing during a run (pruvex_quit.cpp): whether the close may go on now; otherwise the
    // window waits for the current step's call and closes itself after it.
    bool MayCloseDuringRun();
    void SetQuitWait(bool waiting);
    void QuitWhenStepEnded();

    // Menus and tool bar (pruvex_menus.cpp)
    void CreateMenus();
    void CreateToolBar();
    QAction* AddItem(QMenu* menu, const char* name, const char* caption, void (TPruvexForm::*handler)(),
                     const QKeySequence& shortcut = {});
    void FileMenuPopup();
    void UpdateCommandStates();
    void EnableAfterOpen();
    // A failed open leaves no mechanism: the runs wait for the next one.
    void DisableRunsWithoutMechanism();
    void SelectMethod(vantor::EngineMethod method);
    vantor::EngineMethod CheckedMethod() const;
    std::array<QAction*, 4> MethodActions() const;

    // Views of the model (pruvex_views.cpp)
    void RefreshSpeciesList();
    void RefreshMechanismText();
    void RefreshReducedText();
    void RefreshCaptions();
    void SpeciesItemChanged(int row);
    void SpeciesCountUpdate();
    void MechanismLineChanged(int row);

    // File commands (pruvex_files.cpp)
    void INPOpenClick();
    void PRJOpenClick();
    void PRJSaveClick();
    void INPSaveClick();
    void ExportKeptClick();
    void ExportTrimmedClick();
    void ExitClick();
    void WorkDirectoryClick();
    void ApplyOpenedMechanism(const std::vector<std::string>& messages, bool resetGrid);
    bool RefuseWhileRunning();
    void ShowFileError(const std::string& error);

    // Thermo and transport file choice (pruvex_data_files.cpp)
    void ThermoFileClick();
    void TransportFileClick();
    void ChooseDataFile(bool thermo);
    void AnnounceDataFiles();  // the project's choice, after an open

    // Trimming commands (pruvex_trimming.cpp)
    void CreateSpeciesListClick();
    void TrimSpeciesClick();
    void RemoveBySpeciesNameClick();
    void KeepBySpeciesNameClick();
    void KeepBySpeciesNumberClick();
    void RemoveByReactionClick();
    QString ChooseListFile();
    void AfterMarksChanged();

    // Run commands and dialogs (pruvex_runs.cpp)
    void IntegratedReductionClick();
    void IntegratedRunButtonClick();
    void CreateChemBinClick();
    void CreateTranBinClick();
    void GenerateStandardDataClick();
    void GenerateTrimmedDataClick();
    void CreateReducedInpClick();
    void ReducedTestClick();
    void ReducedDataClick();
    void IntegratedRunSettingsClick();
    void KeldaClick();
    void MorvaClick();
    void BrenaClick();
    void TovikClick();
    void TargetSpeciesClick();
    void AboutClick();
    void HelpDocClick();
    void WizardClick();
    void NoAction() {}

    // Reduction to a target error (pruvex_target.cpp)
    void TargetErrorClick();
    void TargetStopClick();
    void TargetSearchFinished();
    bool TargetSearchRunning() const;

    // Flame and stirred-reactor cases after an integrated run or a reduced test (pruvex_reactors.cpp)
    enum class ReactorStage { kNone, kDetailed, kReduced };
    void QueueReactorCases(ReactorStage stage);
    void StartQueuedReactorCases();
    void ReactorCasesFinished(bool succeeded);
    bool BindReactorLibraries();
    bool ReactorCasesRunning() const;
    // A line a worker (target search, reactor cases) sent to the message memo.
    void AddWorkerLine(const QString& line);
    // A library call, a target search or reactor cases are running: no new command may start.
    bool BackgroundWorkRunning() const;
    // CMP.dat's flame and stirred-reactor blocks; empty without such cases or when a data file
    // does not read (its error line in the memo).
    std::vector<std::string> ReactorReport();

    // Always-kept species and the run history (pruvex_history.cpp)
    void AlwaysKeptClick();
    void RunHistoryClick();

    std::string systemDirectory_;
    std::string workDirectory_;
    std::string alwaysKept_;  // species names every engine keeps, as the project stores them
    std::vector<vantor::ReactorCaseLine> reactorCases_;  // the project's Flame= and PSR= lines, kept on save
    std::vector<std::string> targetSpecies_;  // the user's targets of DRG and DRGEP
    vantor::MechanismModel model_;
    vantor::ReducedWriterTask writerTask_;
    vantor::EntryTable entries_;
    std::unique_ptr<vantor::MemoMessageSink> sink_;
    std::unique_ptr<vantor::TaskRunner> runner_;
    TAboutCutForm* about_ = nullptr;
    TMixSetForm* wizard_ = nullptr;
    std::unique_ptr<TTargetSearchWorker> targetSearch_;
    vantor::reactors::ReactorLibraries reactorLibraries_;  // bound on first use
    std::unique_ptr<TReactorCaseWorker> reactorWorker_;
    ReactorStage queuedReactorStage_ = ReactorStage::kNone;
    std::vector<std::string> queuedMixtureLines_;  // as the queued run started with them
    bool librariesBound_ = false;
    bool workingLayout_ = false;
    bool quitPending_ = false;

    // Regions
    QToolBar* ToolBar1 = nullptr;
    QSplitter* MainSplitter = nullptr;
    QWidget* TopPanel = nullptr;
    QSplitter* TopSplitter = nullptr;
    QWidget* LeftPanel = nullptr;
    QLabel* SPTitleL = nullptr;
    QListWidget* SP_CheckListBox = nullptr;
    QLabel* KeepL = nullptr;
    QWidget* RightPanel = nullptr;
    QTabWidget* PageS = nullptr;
    QLabel* InpPanel = nullptr;
    QListWidget* OINP_CheckListBox = nullptr;
    QListWidget* NEWINP_ListBox = nullptr;
    QWidget* CoverPanel = nullptr;
    QPlainTextEdit* CoverMemo = nullptr;
    QLineEdit* BoatE = nullptr;
    QWidget* ReductionSetTitlePanel = nullptr;
    QWidget* RdcMainPanel = nullptr;
    TErrorFlag* ErrFlg = nullptr;
    QLabel* HBPanel = nullptr;
    QPlainTextEdit* MMsg = nullptr;
    T2cccStringGrid* ParGrid = nullptr;
    QPlainTextEdit* MixtureMemo = nullptr;
    QPushButton* MixWizardB = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    // Menus and items
    QMenu* M_File = nullptr;
    QMenu* M_File_Export = nullptr;
    QMenu* M_Setting = nullptr;
    QMenu* M_Operation = nullptr;
    QMenu* M_Post = nullptr;
    QMenu* M_Tools = nullptr;
    QMenu* M_Help = nullptr;
    QAction* M_File_PRJOpen = nullptr;
    QAction* M_File_Open = nullptr;
    QAction* MFile_PRJSave = nullptr;
    QAction* MFile_INPSave = nullptr;
    QAction* M_File_Exit = nullptr;
    QAction* M_Setting_WDir = nullptr;
    QAction* M_Setting_IR = nullptr;
    QAction* M_Setting_KELDA = nullptr;
    QAction* M_Setting_MORVA = nullptr;
    QAction* M_Setting_Keep = nullptr;
    QAction* M_Setting_BRENA = nullptr;
    QAction* M_Setting_TOVIK = nullptr;
    QAction* M_Setting_Targets = nullptr;
    QAction* M_Operation_IR = nullptr;
    QAction* M_Operation_ChemBin = nullptr;
    QAction* M_Operation_TranBin = nullptr;
    QAction* M_Operation_STD = nullptr;
    QAction* M_Operation_PFA = nullptr;
    QAction* CreateNewinpfile1 = nullptr;
    QAction* M_Operation_Target = nullptr;
    QAction* M_Operation_TargetStop = nullptr;
    QAction* M_Post_RCT = nullptr;
    QAction* M_Post_RCD = nullptr;
    QAction* M_Post_History = nullptr;

    // Tool buttons
    QAction* OpenProjectB = nullptr;
    QAction* OpenInpB = nullptr;
    QAction* SaveProjectB = nullptr;
    QAction* RunPFAB = nullptr;
    QAction* IntegratedRunB = nullptr;
};
