#pragma once
// Species the user keeps whatever the engine says (NOx, soot precursors): typed as names
// separated by blanks or commas ("NO NO2, A1"), stored in the project, and handed to every engine
// by number in the job record.

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/mechanism/species_names.h"
#include "app/core/pipeline/message_sink.h"

namespace vantor {

// Species numbers (1-based, in `speciesNames` order) of `wanted`: an exact name first, else the
// only name equal in any letter case. A name the mechanism lacks is named in one "> " warning line
// and left out. More than `limit` species are refused: false with an "<E> " line.
bool ResolveAlwaysKept(const std::vector<std::string>& wanted, const std::vector<std::string>& speciesNames,
                       std::vector<int16_t>& numbers, MessageSink& sink, size_t limit);

}  // namespace vantor
