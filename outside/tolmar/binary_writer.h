#pragma once
// Lays a compiled mechanism out as the mechanism binary: record-framed, in the order and with
// the counts the chemistry library's reader expects (version "3.9", double precision).

#include <cstdint>
#include <string>
#include <vector>

#include "chemlib/mechanism_layout.h"
#include "outside/tolmar/compiled_reaction.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

inline constexpr double kCoefMin = -1.0e30;  // no real coefficient is left out of enthalpy sums

// The counts of the dimension record.
chem::MechanismCounts CountMechanism(const Mechanism& mechanism, const std::vector<CompiledReaction>& reactions);

// The whole file; false with a reason when a work-array length does not fit a 32-bit integer.
bool BuildMechanismBinary(const Mechanism& mechanism, const std::vector<CompiledReaction>& reactions,
                          std::vector<uint8_t>& bytes, std::string& error);

}  // namespace vantor::tolmar
