// libPREMIX.so: the exported entry of the flame runs.

#include <exception>

#include "common/entry_abi.h"
#include "outside/premix/premix_run.h"
#include "outside/premix/premix_status.h"

VANTOR_EXPORT int32_t PREMIX(vantor::JobRecord* job, int32_t* status, double* progress) {
    if (!job || !status || !progress) return 0;
    try {
        return vantor::premix::RunPremix(*job, status, progress);
    } catch (const std::exception&) {  // nothing may cross the library boundary
        vantor::StoreStatus(status, vantor::premix::kPremixBadJobRecord);
        return 0;
    }
}
