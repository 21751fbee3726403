#pragma once
// The body of the TOVIK entry: a reduction run with the directed relation graph with error propagation (DRGEP).

#include <cstdint>

#include "common/job_record.h"

namespace vantor::engine {

// Status, progress and result as every reduction run reports them (reduction_run.h), with the
// TOVIK status numbers (kTovikStatus).
int32_t RunTovik(const JobRecord* job, int32_t* status, double* progress);

}  // namespace vantor::engine
