#pragma once
// The worker thread that runs one task: it calls the task once, hands a failure line to the
// window's thread through a queue, then idles until it is freed. The shared words (status,
// result, gate, progress) are plain integers and doubles accessed through std::atomic_ref.

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vantor {

// The call a worker runs: a library entry bound to the job record, or the reduced writer.
using TaskCall = std::function<int32_t(int32_t* status, double* progress)>;

// Error lines from the worker, drained on the window's thread; the worker never waits on it.
class WorkerMessageQueue {
public:
    void Push(std::string line);
    std::deque<std::string> TakeAll();

private:
    std::mutex mutex_;
    std::deque<std::string> lines_;
};

// WorkerGate values.
inline constexpr int32_t kGateRun = 0;
inline constexpr int32_t kGateTaken = 1;
inline constexpr int32_t kGateEnded = 9999;

struct WorkerChannels {
    int32_t* engineStatus;
    int32_t* lastReturnCode;
    int32_t* workerGate;
    double* progress;  // the task's element of the progress table
};

class TMODThread {
public:
    // Starts running at once. `failureLine` is reported when the status is above 0 after the call.
    TMODThread(TaskCall call, std::string failureLine, WorkerChannels channels, WorkerMessageQueue& queue);
    TMODThread(const TMODThread&) = delete;
    TMODThread& operator=(const TMODThread&) = delete;
    // Asks the thread to stop and waits for it (an entry still running is waited for).
    ~TMODThread();

    // True once the call has returned and its result, status and any failure line are published.
    bool CallReturned() const { return returned_.load(std::memory_order_acquire); }

private:
    void Execute(const std::stop_token& stop);
    void RunTask();

    TaskCall call_;
    std::string failureLine_;
    WorkerChannels channels_;
    WorkerMessageQueue& queue_;
    std::atomic<bool> returned_{false};
    std::jthread thread_;  // last: starts after every other member is ready
};

}  // namespace vantor
