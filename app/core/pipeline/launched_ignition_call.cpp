#include "app/core/pipeline/launched_ignition_call.h"

#include <stdexcept>

#include "app/core/pipeline/library_binding.h"
#include "common/entry_abi.h"

namespace vantor {

IgnitionLauncher ProgramLauncher(const std::string& launcherCommand) {
    return {launcherCommand, ExecutableDirectory() + "/" + kMpiIgniteProgram};
}

TaskCall LaunchedIgnitionCall(const std::string& launcherCommand, const JobRecord* job) {
    const IgnitionLauncher launcher = ProgramLauncher(launcherCommand);
    return [launcher, job](int32_t* status, double* progress) {
        std::string message;
        const int32_t result = RunLaunchedIgnition(launcher, *job, status, progress, &message);
        if (LoadStatus(status) > 0) throw std::runtime_error(message);
        return result;
    };
}

}  // namespace vantor
