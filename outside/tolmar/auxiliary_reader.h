#pragma once
// Auxiliary lines of the REACTIONS section: "KEYWORD /values/" items and third-body efficiencies
// "SPECIES /value/", applied to the reaction above them. A last value left without its closing
// slash (before a "!" comment) and values separated by commas are read, with a warning; a
// reaction's own UNITS line ("UNITS /KCAL/MOLE/") sets the units of its parameters.

#include <optional>
#include <string_view>
#include <vector>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"
#include "outside/tolmar/name_index.h"

namespace vantor::tolmar {

struct AuxiliaryItem {
    std::string_view word;
    std::optional<std::string_view> values;  // the text between the slashes
};

// Items of one line; false (reported) when a slash is not closed or a value has no keyword.
bool SplitAuxiliaryItems(std::string_view text, Location where, Diagnostics& diagnostics,
                         std::vector<AuxiliaryItem>& items);

// Applies one item to the reaction; problems are reported with `where`.
void ApplyAuxiliaryItem(const AuxiliaryItem& item, const NameIndex& species, Location where, Diagnostics& diagnostics,
                        Reaction& reaction);

}  // namespace vantor::tolmar
