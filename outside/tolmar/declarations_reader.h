#pragma once
// The ELEMENTS and SPECIES sections: names in order of declaration, isotope weights ("D /2.014/"),
// a name declared twice kept at its first place with a warning.

#include <string_view>
#include <vector>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"
#include "outside/tolmar/name_index.h"
#include "outside/tolmar/section_splitter.h"

namespace vantor::tolmar {

inline constexpr size_t kMaxNameLength = 16;  // names are stored in 16 characters

void ReadElements(const std::vector<Section>& sections, std::string_view file, Mechanism& mechanism,
                  NameIndex& elementIndex, Diagnostics& diagnostics);

void ReadSpecies(const std::vector<Section>& sections, std::string_view file, Mechanism& mechanism,
                 NameIndex& speciesIndex, Diagnostics& diagnostics);

}  // namespace vantor::tolmar
