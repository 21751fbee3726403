#include "app/runner/share_form.h"

TShareForm::TShareForm(vantor::TimerClient& client, QObject* parent)
    : QObject(parent), client_(client), taskTimer_(this), progressTimer_(this) {
    setObjectName("ShareForm");
    taskTimer_.setObjectName("TaskTimer");
    progressTimer_.setObjectName("ProgressTimer");
    for (QTimer* timer : {&taskTimer_, &progressTimer_}) {
        timer->setInterval(vantor::kRunnerTimerIntervalMs);
        timer->setTimerType(Qt::CoarseTimer);
    }
    connect(&taskTimer_, &QTimer::timeout, this, [this] { client_.TaskTimerTimer(); });
    connect(&progressTimer_, &QTimer::timeout, this, [this] { client_.ProgressTimerTimer(); });
    taskTimer_.start();
    progressTimer_.start();
}
