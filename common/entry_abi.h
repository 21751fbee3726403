#pragma once
// The calling contract of every library entry (engines, outside libraries, the reduced writer):
//   int32_t ENTRY(JobRecord* job, int32_t* status, double* progress)
// The status and progress words are shared with the window's thread, which only reads them;
// both sides go through std::atomic_ref so the plain-pointer ABI stays free of data races.

#include <atomic>
#include <cstdint>

#include "common/job_record.h"

namespace vantor {

using EntryFunction = int32_t (*)(JobRecord*, int32_t*, double*);

inline constexpr double kProgressFinished = 9999.0;
inline constexpr double kProgressDoneThreshold = 9990.0;

// Result of a successful entry: 10000 + 100 x task code + 8.
constexpr int32_t SuccessResult(int taskCode) { return 10000 + 100 * taskCode + 8; }

inline void StoreProgress(double* progress, double value) {
    std::atomic_ref<double>(*progress).store(value, std::memory_order_relaxed);
}
inline double LoadProgress(double* progress) {
    return std::atomic_ref<double>(*progress).load(std::memory_order_relaxed);
}
inline void StoreStatus(int32_t* status, int32_t value) {
    std::atomic_ref<int32_t>(*status).store(value, std::memory_order_relaxed);
}
inline int32_t LoadStatus(int32_t* status) {
    return std::atomic_ref<int32_t>(*status).load(std::memory_order_relaxed);
}

}  // namespace vantor

#define VANTOR_EXPORT extern "C" __attribute__((visibility("default")))
