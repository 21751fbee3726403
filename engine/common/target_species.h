#pragma once
// The user's target species of the methods that search from targets (DRG, DRGEP), from the list
// beside the trimmed-species file (common/target_list.h). No file means no user targets; the
// fuel and oxidizer species of each case are targets anyway.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/common/engine_status.h"

namespace vantor::engine {

// The species names of the loaded mechanism, species k at [k - 1], trailing blanks removed.
std::vector<std::string> MechanismSpeciesNames(const char* cckwrk, int64_t firstNameSlot, int32_t KK);

// Reads the list at `path` into species numbers (ascending, each once). Returns 0, or
// codes.targetListRead / codes.unknownTarget with a listing line naming the file, the line and
// the name at fault.
int32_t ReadTargetSpecies(const std::string& path, const std::vector<std::string>& names, std::ostream& listing,
                          const EngineStatusCodes& codes, std::vector<int32_t>& targets);

}  // namespace vantor::engine
