#pragma once
// Checks over the whole reaction list: every reaction conserves every element, a reaction
// repeated (same reactants and products, in the same or the reverse direction) is marked
// DUPLICATE together with its partner (a DUPLICATE without partner, which real files have, is a
// warning), and a pressure table keeps the sign of its rate constant from pressure to pressure.

#include <string_view>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

// Integer coefficients balance exactly; real ones within this share of the atoms involved.
inline constexpr double kBalanceTolerance = 1.0e-6;

void CheckElementBalance(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics);
void CheckDuplicates(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics);

// Between pressures the rate constant is interpolated in ln k (ln -k for an all-negative table),
// so A may not change sign from one pressure to another. A pressure whose terms mix signs has no
// sign of its own and is left out of the comparison; the PLOG tables of DUPLICATE reactions with
// the same equation are judged together, as the sum they form.
void CheckPressureTableSigns(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics);

}  // namespace vantor::tolmar
