#include "app/core/pipeline/worker.h"

#include <chrono>
#include <exception>
#include <utility>

#include "common/entry_abi.h"

namespace vantor {

namespace {

void StoreWord(int32_t* word, int32_t value) { std::atomic_ref<int32_t>(*word).store(value, std::memory_order_relaxed); }
int32_t LoadWord(int32_t* word) { return std::atomic_ref<int32_t>(*word).load(std::memory_order_relaxed); }

}  // namespace

void WorkerMessageQueue::Push(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

std::deque<std::string> WorkerMessageQueue::TakeAll() {
    std::lock_guard lock(mutex_);
    return std::exchange(lines_, {});
}

TMODThread::TMODThread(TaskCall call, std::string failureLine, WorkerChannels channels, WorkerMessageQueue& queue)
    : call_(std::move(call)),
      failureLine_(std::move(failureLine)),
      channels_(channels),
      queue_(queue),
      thread_([this](std::stop_token stop) { Execute(stop); }) {}

TMODThread::~TMODThread() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
}

void TMODThread::Execute(const std::stop_token& stop) {
    StoreWord(channels_.workerGate, kGateRun);
    while (!stop.stop_requested()) {
        if (LoadWord(channels_.workerGate) == kGateRun) {
            StoreWord(channels_.workerGate, kGateTaken);
            RunTask();
            if (LoadStatus(channels_.engineStatus) > 0) break;  // a failed worker ends by itself
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    StoreWord(channels_.workerGate, kGateEnded);
}

void TMODThread::RunTask() {
    StoreWord(channels_.lastReturnCode, 0);
    StoreProgress(channels_.progress, -1.0);
    std::string failure = failureLine_;
    if (call_) {
        try {
            StoreWord(channels_.lastReturnCode, call_(channels_.engineStatus, channels_.progress));
        } catch (const std::exception& e) {
            // Nothing may escape the thread: an exception is a failed task with its reason.
            if (LoadStatus(channels_.engineStatus) <= 0) StoreStatus(channels_.engineStatus, 1);
            failure += ": " + std::string(e.what());
        } catch (...) {
            if (LoadStatus(channels_.engineStatus) <= 0) StoreStatus(channels_.engineStatus, 1);
        }
    }
    if (LoadStatus(channels_.engineStatus) > 0) queue_.Push(failure);
    returned_.store(true, std::memory_order_release);
}

}  // namespace vantor
