#pragma once
// The flame library's status codes: job-level failures stop the job; case-level ones are written
// beside the case in the flame data and the job goes on.

#include <cstdint>

namespace vantor::premix {

enum PremixStatus : int32_t {
    kPremixOk = 0,
    // The job
    kPremixBadJobRecord = 7001,
    kPremixMechanismMissing = 7002,
    kPremixMechanismUnreadable = 7003,
    kPremixTransportMissing = 7004,
    kPremixTransportUnreadable = 7005,
    kPremixTransportSpeciesMissing = 7006,
    kPremixListingNotWritable = 7007,
    kPremixDataNotWritable = 7008,
    // A case
    kPremixNoConvergence = 7011,
    kPremixNotFlammable = 7012,
    kPremixRateFailure = 7013,
    kPremixBadMixture = 7014,
};

// The flame runs' task code and the entry's result on success.
inline constexpr int kPremixTaskCode = 5;
inline constexpr int32_t kPremixSuccessResult = 10000 + 100 * kPremixTaskCode + 8;

}  // namespace vantor::premix
