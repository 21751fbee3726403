#pragma once
// The job record as a file, for programs started by the workbench (the ignition runs over MPI):
// exactly the 28880 bytes of the in-memory record, little endian, nothing before or after.

#include <string>

#include "common/job_record.h"

namespace vantor {

// Written atomically; false with the reason in `error`.
bool WriteJobRecordFile(const std::string& path, const JobRecord& job, std::string* error = nullptr);

// False with the reason (file, size or marker at fault) in `error`.
bool ReadJobRecordFile(const std::string& path, JobRecord& job, std::string& error);

}  // namespace vantor
