// libSENKIN.so: the exported entry of the ignition runs.

#include <exception>

#include "common/entry_abi.h"
#include "outside/senkin/ignition_run.h"

VANTOR_EXPORT int32_t SENKIN(vantor::JobRecord* job, int32_t* status, double* progress) {
    if (!job || !status || !progress) return 0;
    try {
        return vantor::senkin::RunSenkin(*job, status, progress);
    } catch (const std::exception&) {  // nothing may cross the library boundary
        vantor::StoreStatus(status, vantor::senkin::kSenkinCaseFailed);
        return 0;
    }
}
