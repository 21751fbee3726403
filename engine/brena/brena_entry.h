#pragma once
// The body of the BRENA entry: a reduction run with the directed relation graph (DRG).

#include <cstdint>

#include "common/job_record.h"

namespace vantor::engine {

// Status, progress and result as every reduction run reports them (reduction_run.h), with the
// BRENA status numbers (kBrenaStatus).
int32_t RunBrena(const JobRecord* job, int32_t* status, double* progress);

}  // namespace vantor::engine
