// The main window's regions, its cover and working layouts, and its start and close.

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/core/pipeline/settings_file.h"
#include "app/workbench/cover_text.h"
#include "app/workbench/list_fill.h"
#include "app/workbench/locale_numbers.h"
#include "app/workbench/message_memo.h"
#include "app/workbench/parameter_grid_view.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/reactor_case_worker.h"
#include "app/workbench/target_search_worker.h"

namespace {

constexpr int kClientWidth = 806;
constexpr int kClientHeight = 567;
constexpr int kTopPanelHeight = 292;
constexpr int kLeftPanelWidth = 193;
constexpr int kMessagePanelWidth = 318;
constexpr int kWorkPanelHeight = 222;
constexpr int kStatusBarHeight = 19;
constexpr int kProgressPanelWidth = 322;
constexpr int kCountsPanelWidth = 300;
constexpr int kHeaderHeight = 18;
const QColor kSkyBlue(166, 202, 240);

QFont SansFont(int points) {
    QFont font("Sans Serif", points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont SerifFont(int points) {
    QFont font("Serif", points);
    font.setStyleHint(QFont::Serif);
    return font;
}

void PaintBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* HeaderLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFixedHeight(kHeaderHeight);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}

// The lines of the mechanism lists are 14 pixels high.
// Gives the focus back to the hidden edit when the mouse is released over the cover text.
class CoverFocusFilter : public QObject {
public:
    CoverFocusFilter(QWidget* target, QObject* parent) : QObject(parent), target_(target) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) target_->setFocus();
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* target_;
};

}  // namespace

TPruvexForm::TPruvexForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("PruvexForm");
    setWindowTitle("Integrated Chemistry Reduction - Vantor V4.0");
    setFont(SansFont(8));

    CreateRegions();
    CreateToolBar();
    CreateMenus();
    CreateStatusBar();

    sink_ = std::make_unique<vantor::MemoMessageSink>(MMsg, ErrFlg, this);
    // Program initialisation: the directories and the runner with its defaults.
    systemDirectory_ = QDir::currentPath().toStdString();
    workDirectory_ = vantor::InitialWorkDirectory(systemDirectory_);
    runner_ = std::make_unique<vantor::TaskRunner>(*this, *sink_, entries_, vantor::UserLocaleNumbers());
    runner_->SetIgnitionLauncher(vantor::ReadSetting(systemDirectory_, vantor::kSystemSection, vantor::kIgnitionLauncherKey));
    if (!runner_->IgnitionLauncher().empty()) sink_->AddLine("> Ignition runs through: " + runner_->IgnitionLauncher());

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    UpdateCommandStates();
}

TPruvexForm::~TPruvexForm() {
    runner_.reset();  // waits for a task that is still running before its library goes
    targetSearch_.reset();  // so does a target search
    reactorWorker_.reset();  // and flame or stirred-reactor cases
    entries_.ReleaseLibraries();
}

void TPruvexForm::CreateRegions() {
    MainSplitter = new QSplitter(Qt::Vertical, this);
    MainSplitter->setObjectName("MainSplitter");
    MainSplitter->setChildrenCollapsible(false);
    MainSplitter->addWidget(CreateTopPanel());
    MainSplitter->addWidget(CreateCoverPanel());
    MainSplitter->setStretchFactor(0, 0);
    MainSplitter->setStretchFactor(1, 1);
    setCentralWidget(MainSplitter);
}

QWidget* TPruvexForm::CreateTopPanel() {
    TopPanel = new QWidget(this);
    TopPanel->setObjectName("TopPanel");
    auto* layout = new QHBoxLayout(TopPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    TopSplitter = new QSplitter(Qt::Horizontal, TopPanel);
    TopSplitter->setObjectName("TopSplitter");
    TopSplitter->setChildrenCollapsible(false);
    layout->addWidget(TopSplitter);

    LeftPanel = new QWidget(TopSplitter);
    LeftPanel->setObjectName("LeftPanel");
    auto* left = new QVBoxLayout(LeftPanel);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    SPTitleL = HeaderLabel("Species List   ", LeftPanel);
    SPTitleL->setObjectName("SPTitleL");
    SPTitleL->setAlignment(Qt::AlignCenter);
    SP_CheckListBox = new QListWidget(LeftPanel);
    SP_CheckListBox->setObjectName("SP_CheckListBox");
    SP_CheckListBox->setUniformItemSizes(true);
    KeepL = new QLabel(LeftPanel);
    KeepL->setObjectName("KeepL");
    KeepL->setFixedHeight(20);
    KeepL->setFrameShape(QFrame::Panel);
    KeepL->setFrameShadow(QFrame::Sunken);
    KeepL->setAlignment(Qt::AlignCenter);
    left->addWidget(SPTitleL);
    left->addWidget(SP_CheckListBox);
    left->addWidget(KeepL);
    connect(SP_CheckListBox, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { SpeciesItemChanged(SP_CheckListBox->row(item)); });
    connect(SP_CheckListBox, &QListWidget::itemClicked, this, [this] { SpeciesCountUpdate(); });

    RightPanel = new QWidget(TopSplitter);
    RightPanel->setObjectName("RightPanel");
    auto* right = new QVBoxLayout(RightPanel);
    right->setContentsMargins(0, 0, 0, 0);
    PageS = new QTabWidget(RightPanel);
    PageS->setObjectName("PageS");
    right->addWidget(PageS);

    auto* original = new QWidget(PageS);
    original->setObjectName("OriginalSheet");
    auto* originalLayout = new QVBoxLayout(original);
    originalLayout->setContentsMargins(0, 0, 0, 0);
    originalLayout->setSpacing(0);
    InpPanel = new QLabel(original);
    InpPanel->setObjectName("InpPanel");
    InpPanel->setFixedHeight(2);
    OINP_CheckListBox = new QListWidget(original);
    OINP_CheckListBox->setObjectName("OINP_CheckListBox");
    OINP_CheckListBox->setFont(SerifFont(8));
    OINP_CheckListBox->setUniformItemSizes(true);
    OINP_CheckListBox->setItemDelegate(new vantor::TextLineDelegate(14, OINP_CheckListBox));
    originalLayout->addWidget(InpPanel);
    originalLayout->addWidget(OINP_CheckListBox);
    PageS->addTab(original, "Original Chemistry");
    connect(OINP_CheckListBox, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { MechanismLineChanged(OINP_CheckListBox->row(item)); });

    NEWINP_ListBox = new QListWidget(PageS);
    NEWINP_ListBox->setObjectName("NEWINP_ListBox");
    NEWINP_ListBox->setFont(SerifFont(8));
    NEWINP_ListBox->setItemDelegate(new vantor::TextLineDelegate(14, NEWINP_ListBox));
    QPalette sky = NEWINP_ListBox->palette();
    sky.setColor(QPalette::Base, kSkyBlue);
    NEWINP_ListBox->setPalette(sky);
    PageS->addTab(NEWINP_ListBox, "Reduced Chemistry");

    TopSplitter->addWidget(LeftPanel);
    TopSplitter->addWidget(RightPanel);
    TopSplitter->setSizes({kLeftPanelWidth, kClientWidth - kLeftPanelWidth});
    TopSplitter->setStretchFactor(0, 0);
    TopSplitter->setStretchFactor(1, 1);
    return TopPanel;
}

QWidget* TPruvexForm::CreateCoverPanel() {
    CoverPanel = new QWidget(this);
    CoverPanel->setObjectName("CoverPanel");
    PaintBackground(CoverPanel, kSkyBlue);
    auto* layout = new QVBoxLayout(CoverPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    CoverMemo = new QPlainTextEdit(CoverText(), CoverPanel);
    CoverMemo->setObjectName("CoverMemo");
    CoverMemo->setReadOnly(true);
    CoverMemo->setFrameShape(QFrame::NoFrame);
    CoverMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette coverPalette = CoverMemo->palette();
    coverPalette.setColor(QPalette::Base, kSkyBlue);
    CoverMemo->setPalette(coverPalette);
    CoverMemo->setFont(SansFont(10));

    // The 1 x 1 edit that holds the focus while the cover is shown.
    BoatE = new QLineEdit(CoverPanel);
    BoatE->setObjectName("BoatE");
    BoatE->setFrame(false);
    BoatE->setGeometry(0, 0, 1, 1);
    CoverMemo->viewport()->installEventFilter(new CoverFocusFilter(BoatE, this));

    ReductionSetTitlePanel = new QWidget(CoverPanel);
    ReductionSetTitlePanel->setObjectName("ReductionSetTitlePanel");
    ReductionSetTitlePanel->hide();

    RdcMainPanel = new QWidget(CoverPanel);
    RdcMainPanel->setObjectName("RdcMainPanel");
    PaintBackground(RdcMainPanel, palette().color(QPalette::Window));
    auto* work = new QHBoxLayout(RdcMainPanel);
    work->setContentsMargins(0, 0, 0, 0);
    work->setSpacing(2);
    work->addWidget(CreateMessagePanel());
    work->addWidget(CreateSettingsPanel(), 1);

    layout->addWidget(CoverMemo);
    layout->addWidget(ReductionSetTitlePanel);
    layout->addWidget(RdcMainPanel);
    return CoverPanel;
}

QWidget* TPruvexForm::CreateMessagePanel() {
    auto* panel = new QWidget(RdcMainPanel);
    panel->setObjectName("MessagePanel");
    panel->setFixedWidth(kMessagePanelWidth);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new QWidget(panel);
    header->setObjectName("MessageTitlePanel");
    header->setFixedHeight(kHeaderHeight);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(4, 0, 4, 0);
    headerLayout->addWidget(new QLabel("Message", header));
    headerLayout->addStretch();
    ErrFlg = new TErrorFlag(header);
    ErrFlg->setObjectName("ErrFlg");
    ErrFlg->hide();
    HBPanel = new QLabel(header);
    HBPanel->setObjectName("HBPanel");
    QFont bold = font();
    bold.setBold(true);
    HBPanel->setFont(bold);
    HBPanel->setFixedWidth(40);
    HBPanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headerLayout->addWidget(ErrFlg);
    headerLayout->addWidget(HBPanel);

    MMsg = new QPlainTextEdit(panel);
    MMsg->setObjectName("MMsg");
    MMsg->setReadOnly(true);
    MMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MMsg->setFont(SansFont(7));
    layout->addWidget(header);
    layout->addWidget(MMsg);
    return panel;
}

QWidget* TPruvexForm::CreateSettingsPanel() {
    auto* panel = new QWidget(RdcMainPanel);
    panel->setObjectName("RightSetPanel");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ParGrid = new T2cccStringGrid(panel);
    ParGrid->setObjectName("ParGrid");
    ParGrid->setFixedHeight(vantor::kGridRows * T2cccStringGrid::kRowHeight + 2 * ParGrid->frameWidth());
    ParGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ParGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ParGrid->LoadCells(vantor::FillParameterGrid());
    ParGrid->FitNameColumn();

    auto* mixtureHeader = new QWidget(panel);
    mixtureHeader->setFixedHeight(kHeaderHeight + 2);
    auto* mixtureLayout = new QHBoxLayout(mixtureHeader);
    mixtureLayout->setContentsMargins(4, 0, 0, 0);
    mixtureLayout->addWidget(new QLabel("Mixture Setting (one line for one case like: CH4 1, O2 2)", mixtureHeader));
    mixtureLayout->addStretch();
    MixWizardB = new QPushButton("Wizard", mixtureHeader);
    MixWizardB->setObjectName("MixWizardB");
    MixWizardB->setFixedHeight(kHeaderHeight + 2);
    mixtureLayout->addWidget(MixWizardB);
    connect(MixWizardB, &QPushButton::clicked, this, &TPruvexForm::WizardClick);

    MixtureMemo = new QPlainTextEdit("CH4 1, O2 2", panel);
    MixtureMemo->setObjectName("MixtureMemo");
    MixtureMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MixtureMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    MixtureMemo->setMinimumHeight(24);

    layout->addWidget(HeaderLabel("Parameters Setting (* for necessary)", panel));
    layout->addWidget(ParGrid);
    layout->addWidget(mixtureHeader);
    layout->addWidget(MixtureMemo, 1);
    return panel;
}

void TPruvexForm::CreateStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    bar->setFixedHeight(kStatusBarHeight);
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);

    // Panel 0 holds the progress bar, placed as on the original status bar.
    auto* progressPanel = new QWidget(bar);
    progressPanel->setObjectName("StatusPanel0");
    progressPanel->setFixedSize(kProgressPanelWidth, kStatusBarHeight);
    ProgressBar1 = new QProgressBar(progressPanel);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(3, static_cast<int>(0.2 * kStatusBarHeight), kProgressPanelWidth - 4,
                              static_cast<int>(0.7 * kStatusBarHeight));
    StatusPanel1 = new QLabel(bar);
    StatusPanel1->setObjectName("StatusPanel1");
    StatusPanel1->setFixedWidth(kCountsPanelWidth);
    StatusPanel1->setAlignment(Qt::AlignCenter);
    bar->addWidget(progressPanel);
    bar->addWidget(StatusPanel1);
}

void TPruvexForm::ShowCoverLayout() {
    TopPanel->hide();
    LeftPanel->hide();
    RightPanel->hide();
    ReductionSetTitlePanel->hide();
    RdcMainPanel->hide();
    CoverMemo->show();
    CoverPanel->show();
}

void TPruvexForm::ShowWorkingLayout() {
    workingLayout_ = true;
    TopPanel->show();
    LeftPanel->show();
    RightPanel->show();
    ReductionSetTitlePanel->hide();
    CoverMemo->hide();
    RdcMainPanel->show();
    ToolBar1->show();
    const int rest = std::max(120, MainSplitter->height() - kTopPanelHeight - MainSplitter->handleWidth());
    MainSplitter->setSizes({kTopPanelHeight, rest});
}

void TPruvexForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (librariesBound_) return;
    librariesBound_ = true;
    BoatE->setFocus();
    ShowCoverLayout();
    entries_.BindLibraries(vantor::ProgramLibraryFolder(), *sink_, vantor::SleepMilliseconds);
}

void TPruvexForm::closeEvent(QCloseEvent* event) {
    if (!MayCloseDuringRun()) {
        event->ignore();
        return;
    }
    if (model_.GenerationPending) {
        QMessageBox question(QMessageBox::Question, "Vantor4", "Do you want to save the new Inp file?",
                             QMessageBox::Yes | QMessageBox::No, this);
        question.setObjectName("CloseQuery");
        if (question.exec() == QMessageBox::Yes) {
            event->ignore();
            if (quitPending_) SetQuitWait(false);
            if (model_.ReducedInpReady) INPSaveClick();
            return;
        }
    }
    std::string error;
    if (!vantor::WriteSetting(systemDirectory_, vantor::kSystemSection, vantor::kWorkDirectoryKey, workDirectory_,
                              &error))
        sink_->AddLine("> " + error);
    // Viewers and the run-settings dialog are windows of their own: they go with the main window.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow() && child->isVisible()) child->close();
    event->accept();
}
