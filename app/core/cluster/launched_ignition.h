#pragma once
// The ignition runs of a job record through a launcher (such as "mpirun -n 16 --hostfile hosts")
// that starts vantor-mpi-ignite on several ranks, instead of in the SENKIN library. Same
// contract as the SENKIN entry: the standard data and the listing of the record's paths, the
// progress in percent of the cases done, 10108 with 9999.0 in the progress on success and a
// status above 0 on failure. A launcher that is not found, does not start, or ends without the
// run's outcome (a rank that died) fails the run with a message; nothing runs in its place.

#include <cstdint>
#include <string>

#include "common/job_record.h"

namespace vantor {

inline constexpr const char* kMpiIgniteProgram = "vantor-mpi-ignite";

// Status codes of the launched run; the run's own (SENKIN's) codes pass through.
enum LaunchStatus : int32_t {
    kLaunchNotStarted = 4111,  // no launcher, launcher or program not found, job file not writable
    kLaunchedRunLost = 4112,   // the launcher ended without the run's outcome
};

struct IgnitionLauncher {
    std::string command;  // the launcher and its options; empty: not used
    std::string program;  // the path of vantor-mpi-ignite
};

// Beside the job's standard data: the job record file, the run's state file, the launcher's output.
struct LaunchFiles {
    std::string job, state, output;
};
LaunchFiles LaunchFilesFor(const std::string& standardData);

// `message` (may be null) gets the failure. Blocks until the launcher has ended.
int32_t RunLaunchedIgnition(const IgnitionLauncher& launcher, const JobRecord& job, int32_t* status,
                            double* progress, std::string* message);

}  // namespace vantor
