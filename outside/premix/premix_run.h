#pragma once
// The flame job: every case of the job record (mixture outermost, then pressure in atm, then the
// unburned temperature) solved in turn, the listing and the flame data written. A case that does
// not converge or does not burn is written with its own status; only unusable input fails the job.

#include <cstdint>
#include <string>

#include "common/job_record.h"

namespace vantor::premix {

struct PremixReport {
    int32_t status = 0;    // kPremixOk or the job's failure
    std::string message;   // the failure, also in the listing
    int cases = 0, converged = 0;
};

// `progress` (may be null) rises to 100 in percent of the cases done.
PremixReport RunFlameJob(const JobRecord& job, double* progress);

// The body of the entry PREMIX: kPremixSuccessResult with 9999.0 in the progress on success,
// otherwise 0 with the status above 0.
int32_t RunPremix(const JobRecord& job, int32_t* status, double* progress);

}  // namespace vantor::premix
