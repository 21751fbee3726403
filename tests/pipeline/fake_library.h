#pragma once
// The control interface of the fake engine and outside libraries the pipeline tests bind: each
// fake exports one real entry name plus these functions, so a test decides how the next call
// behaves and looks at what it received.

#include <cstdint>

#include "common/job_record.h"

extern "C" {

struct FakeBehaviour {
    int32_t status;         // EngineStatus left by the call
    int32_t result;         // returned value; -1 means the success result of the fake's task code
    double finalProgress;   // progress left by the call
    double holdProgress;    // when >= 0: written first, then the call waits for FakeRelease
    int32_t writeOutputs;   // create the files the real library writes
};

using FakeConfigureFunction = void (*)(const FakeBehaviour*);
using FakeReleaseFunction = void (*)();
using FakeCallCountFunction = int32_t (*)();
using FakeLastJobFunction = void (*)(vantor::JobRecord*);
}

inline FakeBehaviour FakeSuccess() { return FakeBehaviour{0, -1, 9999.0, -1.0, 1}; }
