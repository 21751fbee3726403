// libTOVIK.so: the exported entry of the DRGEP engine.

#include "common/entry_abi.h"
#include "engine/tovik/tovik_entry.h"

VANTOR_EXPORT int32_t TOVIK(vantor::JobRecord* job, int32_t* status, double* progress) {
    return vantor::engine::RunTovik(job, status, progress);
}
