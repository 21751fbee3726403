#pragma once
// Tolmar: the CHEMKIN-II interpreter that compiles a mechanism input and thermodynamic data into
// the mechanism binary read by the chemistry library.

#include <cstdint>
#include <string>

#include "common/job_record.h"

namespace vantor::tolmar {

// The body of the exported entry CKINTPTOBIN: reads InpFile and ThermFile of the job record,
// writes MechBinFile and the listing OutFile. Returns 10308 with progress 9999.0 on success;
// on failure status > 0, result 0, a message naming file, line and text in the listing, and no
// binary left behind (an earlier binary stays as it was).
int32_t RunTolmar(const JobRecord& job, int32_t& status, double& progress);

// The same on plain paths (command line, tests, benchmarks). Returns the status (0 on success).
int32_t CompileMechanismFiles(const std::string& inpPath, const std::string& thermPath, const std::string& binPath,
                              const std::string& listingPath);

}  // namespace vantor::tolmar
