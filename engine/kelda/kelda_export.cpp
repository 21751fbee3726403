// libKELDA.so: the exported entry of the PFA engine.

#include "common/entry_abi.h"
#include "engine/kelda/kelda_entry.h"

VANTOR_EXPORT int32_t KELDA(vantor::JobRecord* job, int32_t* status, double* progress) {
    return vantor::engine::RunKelda(job, status, progress);
}
