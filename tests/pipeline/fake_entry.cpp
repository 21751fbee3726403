// A stand-in for one engine or outside library: FAKE_ENTRY names the exported entry,
// FAKE_TASK_CODE its task code. It writes the output files the real library would (so the next
// step's input checks pass) and behaves as the last FakeConfigure said.

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "common/entry_abi.h"
#include "common/path_field.h"
#include "pipeline/fake_library.h"

namespace {

std::mutex gMutex;
FakeBehaviour gBehaviour = FakeSuccess();
vantor::JobRecord gLastJob{};
std::atomic<int32_t> gCalls{0};
std::atomic<bool> gReleased{false};

void Touch(const vantor::PathField& field, const char* what) {
    std::ofstream(vantor::DecodePathField(field), std::ios::binary) << what << " written by a fake library\r\n";
}

void WriteOutputs(const vantor::JobRecord& job) {
    switch (FAKE_TASK_CODE) {
        case 1: Touch(job.SaveFile, "standard data"); Touch(job.OutFile, "listing"); break;
        case 2: Touch(job.TrimFile, "trimmed species"); Touch(job.OutFile, "listing"); break;
        case 3: Touch(job.MechBinFile, "mechanism binary"); break;
        case 4: Touch(job.TranspBinFile, "transport binary"); break;
        default: break;
    }
}

}  // namespace


VANTOR_EXPORT int32_t FAKE_ENTRY(vantor::JobRecord* job, int32_t* status, double* progress) {
    FakeBehaviour behaviour;
    {
        std::lock_guard lock(gMutex);
        behaviour = gBehaviour;
        gLastJob = *job;
    }
    gCalls.fetch_add(1);
    vantor::StoreStatus(status, 0);
    vantor::StoreProgress(progress, 0.0);
    if (behaviour.holdProgress >= 0.0) {
        vantor::StoreProgress(progress, behaviour.holdProgress);
        while (!gReleased.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (behaviour.writeOutputs && behaviour.status == 0) WriteOutputs(*job);
    if (behaviour.status != 0) Touch(job->OutFile, "listing");  // a failing library says why in its listing
    vantor::StoreProgress(progress, behaviour.finalProgress);
    vantor::StoreStatus(status, behaviour.status);
    return behaviour.result == -1 ? vantor::SuccessResult(FAKE_TASK_CODE) : behaviour.result;
}

VANTOR_EXPORT void FakeConfigure(const FakeBehaviour* behaviour) {
    std::lock_guard lock(gMutex);
    gBehaviour = *behaviour;
    gReleased.store(false);
    gCalls.store(0);
}

VANTOR_EXPORT void FakeRelease() { gReleased.store(true); }
VANTOR_EXPORT int32_t FakeCallCount() { return gCalls.load(); }
VANTOR_EXPORT void FakeLastJob(vantor::JobRecord* job) {
    std::lock_guard lock(gMutex);
    *job = gLastJob;
}
