// libMORVA.so: the exported entry of the ECF engine.

#include "common/entry_abi.h"
#include "engine/morva/morva_entry.h"

VANTOR_EXPORT int32_t MORVA(vantor::JobRecord* job, int32_t* status, double* progress) {
    return vantor::engine::RunMorva(job, status, progress);
}
