#pragma once
// A whole stirred-reactor job: loads the mechanism binary, plans the cases of the job record as
// the ignition runs do (mixture outermost, then pressure in atm, then inlet temperature), finds
// each case's extinction point and writes the data file and the run listing. A case that finds no
// extinction point is written with its own status; only unusable input fails the job.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "common/job_record.h"
#include "outside/psr/psr_data.h"
#include "outside/psr/psr_status.h"
#include "outside/psr/stirred_reactor.h"

namespace vantor::psr {

struct PsrCaseResult {
    StirredReactorCaseSummary summary;  // what the data file holds
    double wallSeconds = 0.0;
    int newtonIterations = 0;
    std::string log;  // the solver's progress lines
};

// The case's status in the data file (0 when the extinction point was found).
int32_t CaseStatus(StirredReactorOutcome outcome);

// One case: `X` the inlet mole fractions (KK). Progress lines go to `progress` (may be empty) and
// into the result's log.
PsrCaseResult RunStirredReactorCase(chem::Mechanism& mechanism, int number, double pressureAtm, double inletTemperature,
                                    const std::vector<double>& X,
                                    const std::function<void(const std::string&)>& progress = {});

struct PsrFiles {
    std::string mechanismBinary, data, listing;  // data and listing: empty is not written
};

struct PsrJobReport {
    int32_t status = kPsrOk;
    std::string message;  // the job's failure
    std::vector<PsrCaseResult> cases;
};

// Runs every case (`threads` workers, 0: every core); `progress` (may be null) rises to 100 in
// percent of the cases done.
PsrJobReport RunStirredReactorJob(const JobRecord& job, const PsrFiles& files, int threads, double* progress);

// The body of the entry PSR: files from the job record's paths. Returns kPsrSuccessResult with
// 9999.0 in the progress on success; otherwise 0 with the status above 0.
int32_t RunPsr(const JobRecord& job, int32_t* status, double* progress);

}  // namespace vantor::psr
