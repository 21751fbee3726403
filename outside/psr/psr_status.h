#pragma once
// Status codes of the stirred-reactor runs (0 is success). Job statuses fail the whole job; case
// statuses are written with their case, and the job still succeeds.

#include <cstdint>

namespace vantor::psr {

enum PsrStatus : int32_t {
    kPsrOk = 0,
    kPsrListingNotWritable = 7101,
    kPsrMechanismMissing = 7102,
    kPsrMechanismUnreadable = 7103,
    kPsrBadJobRecord = 7104,
    kPsrDataNotWritable = 7105,
    kPsrFailed = 7106,  // an unexpected failure (out of memory, ...)
    // Case statuses.
    kPsrNoConvergence = 7111,
    kPsrNotFlammable = 7112,
    kPsrRateFailure = 7113,
};

// Task code 11: 10000 + 100 x 11 + 8.
inline constexpr int32_t kPsrSuccessResult = 11108;

}  // namespace vantor::psr
