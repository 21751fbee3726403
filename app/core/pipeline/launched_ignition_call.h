#pragma once
// The worker's call of an ignition step through a launcher and vantor-mpi-ignite (beside the
// running program). A failure sets the status and throws its reason, so the step's failure line
// ("<E> Run standard procedure failed: ...") names the launcher or the rank at fault.

#include <string>

#include "app/core/cluster/launched_ignition.h"
#include "app/core/pipeline/worker.h"
#include "common/job_record.h"

namespace vantor {

// The launcher command with the vantor-mpi-ignite beside the running program.
IgnitionLauncher ProgramLauncher(const std::string& launcherCommand);

TaskCall LaunchedIgnitionCall(const std::string& launcherCommand, const JobRecord* job);

}  // namespace vantor
