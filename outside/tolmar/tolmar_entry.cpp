// The exported entry of libTolmar.so.

#include "common/entry_abi.h"
#include "outside/tolmar/compile_status.h"
#include "outside/tolmar/tolmar.h"

VANTOR_EXPORT int32_t CKINTPTOBIN(vantor::JobRecord* job, int32_t* status, double* progress) {
    if (!status || !progress) return 0;
    if (!job) {
        vantor::StoreStatus(status, vantor::tolmar::kFileError);
        return 0;
    }
    return vantor::tolmar::RunTolmar(*job, *status, *progress);
}
