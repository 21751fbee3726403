#pragma once
// The body of the KELDA entry: a reduction run with path flux analysis.

#include <cstdint>

#include "common/job_record.h"

namespace vantor::engine {

// Status, progress and result as every reduction run reports them (reduction_run.h), with the
// KELDA status numbers (kKeldaStatus).
int32_t RunKelda(const JobRecord* job, int32_t* status, double* progress);

}  // namespace vantor::engine
