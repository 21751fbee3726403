// libPSR.so: the exported entry of the stirred-reactor runs.

#include <exception>

#include "common/entry_abi.h"
#include "outside/psr/psr_run.h"

VANTOR_EXPORT int32_t PSR(vantor::JobRecord* job, int32_t* status, double* progress) {
    if (!job || !status || !progress) return 0;
    try {
        return vantor::psr::RunPsr(*job, status, progress);
    } catch (const std::exception&) {  // nothing may cross the library boundary
        vantor::StoreStatus(status, vantor::psr::kPsrFailed);
        return 0;
    }
}
