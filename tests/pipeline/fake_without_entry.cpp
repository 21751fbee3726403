// A library that loads but exports no entry of the expected name.

#include "common/entry_abi.h"

VANTOR_EXPORT int32_t NotTheEntry() { return 0; }
