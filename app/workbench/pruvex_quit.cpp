// Closing the main window while a run is going. A library call cannot be stopped from outside
// and goes on writing the run's files, so the window asks first and then stays open, showing that
// it waits, until the call of the current step has returned; no later step starts. It never
// leaves a process running without a window.

#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

#include "app/workbench/message_memo.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/vantor_windows.h"

bool TPruvexForm::MayCloseDuringRun() {
    if (!runner_) return true;
    if (quitPending_) return !runner_->TaskInFlight() && !ReactorCasesRunning();
    if (!runner_->RunActive() && !runner_->TaskInFlight() && !ReactorCasesRunning()) return true;
    QMessageBox question(QMessageBox::Question, kApplicationTitle,
                         "A run is in progress. Quit when the current step has ended?",
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setObjectName("RunningCloseQuery");
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes) return false;
    if (!runner_->TaskInFlight() && !ReactorCasesRunning()) return true;  // between steps: nothing to wait for
    SetQuitWait(true);
    return false;
}

void TPruvexForm::SetQuitWait(bool waiting) {
    quitPending_ = waiting;
    menuBar()->setEnabled(!waiting);
    ToolBar1->setEnabled(!waiting);
    if (waiting) {
        sink_->AddLine("> Quitting when the current step has ended ......");
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
}

void TPruvexForm::QuitWhenStepEnded() {
    if (quitPending_ && !runner_->TaskInFlight() && !ReactorCasesRunning()) close();
}
