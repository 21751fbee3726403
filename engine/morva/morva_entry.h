#pragma once
// The body of the MORVA entry: a reduction run with the ECF neighbour selection.

#include <cstdint>

#include "common/job_record.h"

namespace vantor::engine {

// Status, progress and result as every reduction run reports them (reduction_run.h), with the
// MORVA status numbers (kMorvaStatus).
int32_t RunMorva(const JobRecord* job, int32_t* status, double* progress);

}  // namespace vantor::engine
