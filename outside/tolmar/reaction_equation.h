#pragma once
// Reaction equations: "A+B=C+D", "<=>" and "=>", stoichiometric coefficients ("2OH", "0.5H2"),
// "+M" third bodies and "(+M)" / "(+SPECIES)" fall-off markers. Identical species of a side share
// one slot with the summed coefficient. A reaction has six slots, three a side; a side with more
// species borrows the free slots of the other and then slots after the sixth (see
// compiled_reaction.h), up to twelve species in all.

#include <string_view>
#include <vector>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"
#include "outside/tolmar/name_index.h"

namespace vantor::tolmar {

inline constexpr size_t kMaxSlotsPerSide = 3;
inline constexpr size_t kMaxReactionSpecies = 12;

struct ParsedEquation {
    std::vector<StoichTerm> reactants, products;
    bool reversible = true;
    bool realCoefficients = false;
    ReactionKind kind = ReactionKind::Plain;
    int32_t bathSpecies = 0;
};

// `equation` has no blanks. Reports the first problem and returns false.
bool ParseEquation(std::string_view equation, const NameIndex& species, Location where, Diagnostics& diagnostics,
                   ParsedEquation& out);

}  // namespace vantor::tolmar
