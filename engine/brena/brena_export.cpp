// libBRENA.so: the exported entry of the DRG engine.

#include "common/entry_abi.h"
#include "engine/brena/brena_entry.h"

VANTOR_EXPORT int32_t BRENA(vantor::JobRecord* job, int32_t* status, double* progress) {
    return vantor::engine::RunBrena(job, status, progress);
}
