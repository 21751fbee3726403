#include "app/workbench/screenshot_script.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "app/core/history/run_history.h"
#include "app/workbench/candidate_table_form.h"
#include "app/workbench/compdat_form.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/run_history_form.h"
#include "app/workbench/target_error_form.h"

namespace {

constexpr int kSettleMs = 1500;
constexpr int kPollMs = 500;
constexpr qint64 kRunLimitMs = 30 * 60 * 1000;

}  // namespace

ScreenshotScript::ScreenshotScript(TPruvexForm& window, QString projectPath, QString folder, QObject* parent)
    : QObject(parent), window_(window), projectPath_(std::move(projectPath)), folder_(std::move(folder)) {}

void ScreenshotScript::Start() {
    QDir().mkpath(folder_);
    QTimer::singleShot(kSettleMs, this, [this] {
        Grab(&window_, "cover");
        if (projectPath_.isEmpty()) return Finish(0);
        window_.OpenProjectFile(projectPath_);
        QTimer::singleShot(kSettleMs, this, [this] {
            Grab(&window_, "working");
            Trigger("M_Operation_IR");
            WhenIdle([this] {
                Grab(&window_, "integrated_run");
                if (!window_.Model().ReducedInpReady) return Finish(1);
                auto* pages = window_.findChild<QTabWidget*>("PageS");
                pages->setCurrentIndex(1);
                Grab(&window_, "reduced_chemistry");
                pages->setCurrentIndex(0);
                Trigger("M_Post_RCT");
                WhenIdle([this] {
                    Grab(&window_, "reduced_test");
                    Trigger("M_Post_RCD");
                    QTimer::singleShot(kSettleMs, this, [this] {
                        const auto viewers = window_.findChildren<TCmpDataForm*>();
                        if (viewers.isEmpty()) return Finish(1);
                        Grab(viewers.last(), "comparison");
                        GrabPlots(viewers.last());
                    });
                });
            });
        });
    });
}

// The viewer's plot page: the delay and parity plots, the temperature and the OH history of the
// last case, then the error table.
void ScreenshotScript::GrabPlots(QWidget* viewer) {
    viewer->findChild<QTabWidget*>("CmpPages")->setCurrentIndex(1);
    auto* kinds = viewer->findChild<QComboBox*>("PlotKindBox");
    auto* cases = viewer->findChild<QComboBox*>("PlotCaseBox");
    auto* species = viewer->findChild<QComboBox*>("PlotSpeciesBox");
    QTimer::singleShot(kSettleMs, this, [=, this] {
        Grab(viewer, "comparison_delay_plot");
        kinds->setCurrentIndex(kinds->findText("Parity"));
        QTimer::singleShot(kSettleMs, this, [=, this] {
            Grab(viewer, "comparison_parity_plot");
            kinds->setCurrentIndex(kinds->findText("Temperature history"));
            cases->setCurrentIndex(cases->count() - 1);
            QTimer::singleShot(kSettleMs, this, [=, this] {
                Grab(viewer, "comparison_history_plot");
                kinds->setCurrentIndex(kinds->findText("Species history"));
                species->setCurrentIndex(std::max(0, species->findText("OH")));
                QTimer::singleShot(kSettleMs, this, [=, this] {
                    Grab(viewer, "comparison_species_plot");
                    viewer->findChild<QTabWidget*>("CmpPages")->setCurrentIndex(2);
                    QTimer::singleShot(kSettleMs, this, [=, this] {
                        Grab(viewer, "comparison_error_table");
                        viewer->close();
                        TargetSearchTour();
                    });
                });
            });
        });
    });
}

// After a target search the viewer offers the candidate plot.
void ScreenshotScript::GrabCandidatePlot() {
    Trigger("M_Post_RCD");
    QTimer::singleShot(kSettleMs, this, [this] {
        const auto viewers = window_.findChildren<TCmpDataForm*>();
        if (viewers.isEmpty()) return Finish(1);
        QWidget* viewer = viewers.last();
        viewer->findChild<QTabWidget*>("CmpPages")->setCurrentIndex(1);
        auto* kinds = viewer->findChild<QComboBox*>("PlotKindBox");
        if (kinds->findText("Candidates") < 0) return Finish(1);
        kinds->setCurrentIndex(kinds->findText("Candidates"));
        QTimer::singleShot(kSettleMs, this, [this, viewer] {
            Grab(viewer, "comparison_candidates_plot");
            GrabRunHistory();
        });
    });
}

// "Reduce to target error...": the dialog, then the window and the candidate table at the end.
void ScreenshotScript::TargetSearchTour() {
    QTimer::singleShot(kSettleMs, this, [this] {
        auto* dialog = qobject_cast<TTargetErrorForm*>(QApplication::activeModalWidget());
        if (!dialog) return;
        Grab(dialog, "target_dialog");
        dialog->accept();
    });
    Trigger("M_Operation_Target");
    waitedMs_ = 0;
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll] {
        waitedMs_ += kPollMs;
        auto* table = window_.findChild<TCandidateTableForm*>();
        if (!table && waitedMs_ < kRunLimitMs) return;
        poll->deleteLater();
        if (!table) return Finish(1);
        QTimer::singleShot(kSettleMs, this, [this, table] {
            Grab(&window_, "target_window");
            Grab(table, "target_candidates");
            GrabCandidatePlot();
        });
    });
    poll->start(kPollMs);
}

// The run history with the reduced test and the target search side by side.
void ScreenshotScript::GrabRunHistory() {
    QStringList names;
    for (const auto& run : vantor::history::ListRuns(window_.WorkDirectory().toStdString()))
        if (run.summary.kind != "integrated run") names << QString::fromStdString(run.name);
    auto* history = new TRunHistoryForm(window_.WorkDirectory(), &window_);
    history->show();
    history->ShowSideBySide(names);
    QTimer::singleShot(kSettleMs, this, [this, history] {
        Grab(history, "run_history");
        Finish(0);
    });
}

void ScreenshotScript::Grab(QWidget* widget, const char* name) {
    const QString path = folder_ + "/" + name + ".png";
    if (!widget->grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void ScreenshotScript::Trigger(const char* actionName) {
    if (auto* action = window_.findChild<QAction*>(actionName)) action->trigger();
}

void ScreenshotScript::WhenIdle(std::function<void()> next) {
    waitedMs_ = 0;
    auto* poll = new QTimer(this);
    // The first tick starts the run: wait for it before looking for the end.
    QTimer::singleShot(2 * kPollMs + 1000, this, [this, poll, next = std::move(next)] {
        connect(poll, &QTimer::timeout, this, [this, poll, next] {
            waitedMs_ += kPollMs;
            vantor::TaskRunner& runner = window_.Runner();
            if ((runner.RunActive() || runner.TaskInFlight()) && waitedMs_ < kRunLimitMs) return;
            poll->deleteLater();
            next();
        });
        poll->start(kPollMs);
    });
}

void ScreenshotScript::Finish(int exitCode) {
    QTimer::singleShot(0, qApp, [exitCode] { qApp->exit(exitCode); });
}
