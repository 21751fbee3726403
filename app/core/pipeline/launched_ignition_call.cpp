#include "app/core/pipeline/launched_ignition_call.h"

#include <stdexcept>

#include "app/core/cluster/launched_ignition.h"
#include "app/core/pipeline/library_binding.h"
#include "common/entry_abi.h"

namespace vantor {

TaskCall LaunchedIgnitionCall(const std::string& launcherCommand, const JobRecord* job) {
    const IgnitionLauncher launcher{launcherCommand, ExecutableDirectory() + "/" + kMpiIgniteProgram};
    return [launcher, job](int32_t* status, double* progress) {
        std::string message;
        const int32_t result = RunLaunchedIgnition(launcher, *job, status, progress, &message);
        if (LoadStatus(status) > 0) throw std::runtime_error(message);
        return result;
    };
}

}  // namespace vantor
