// libPellor.so: the exported entry of the transport fitting.

#include <exception>

#include "common/entry_abi.h"
#include "outside/pellor/pellor.h"

VANTOR_EXPORT int32_t CKTRANTOBIN(vantor::JobRecord* job, int32_t* status, double* progress) {
    if (!job || !status || !progress) return 0;
    try {
        return vantor::pellor::RunPellor(*job, status, progress);
    } catch (const std::exception&) {  // nothing may cross the library boundary
        vantor::StoreStatus(status, vantor::pellor::kPellorBinaryNotWritable);
        return 0;
    }
}
