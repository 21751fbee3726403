#pragma once
// Built-in atomic weights (g/mol): the IUPAC standard values, the electron, and the hydrogen
// isotopes D and T. Elements without one need a weight in the ELEMENTS section ("X /12.3/").

#include <optional>
#include <string_view>

namespace vantor::tolmar {

// The weight of an element symbol, ignoring case; nullopt when the table has none.
std::optional<double> BuiltInAtomicWeight(std::string_view symbol);

}  // namespace vantor::tolmar
