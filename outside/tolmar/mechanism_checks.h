#pragma once
// Checks over the whole reaction list: every reaction conserves every element, and a reaction
// repeated (same reactants and products, in the same or the reverse direction) is marked
// DUPLICATE together with its partner. A DUPLICATE without partner, which real files have, is a
// warning.

#include <string_view>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

// Integer coefficients balance exactly; real ones within this share of the atoms involved.
inline constexpr double kBalanceTolerance = 1.0e-6;

void CheckElementBalance(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics);
void CheckDuplicates(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics);

}  // namespace vantor::tolmar
