#pragma once
// The runner's invisible form: two 1000 ms timers that start ticking when it is created. The
// task timer advances the current step of a run; the progress timer makes the error flag blink.

#include <QObject>
#include <QTimer>

namespace vantor {

// What the two timers drive; the main window implements it.
class TimerClient {
public:
    virtual ~TimerClient() = default;
    virtual void TaskTimerTimer() = 0;
    virtual void ProgressTimerTimer() = 0;
};

inline constexpr int kRunnerTimerIntervalMs = 1000;

}  // namespace vantor

class TShareForm : public QObject {
    Q_OBJECT
public:
    explicit TShareForm(vantor::TimerClient& client, QObject* parent = nullptr);

    QTimer* TaskTimer() { return &taskTimer_; }
    QTimer* ProgressTimer() { return &progressTimer_; }

private:
    vantor::TimerClient& client_;
    QTimer taskTimer_;
    QTimer progressTimer_;
};
