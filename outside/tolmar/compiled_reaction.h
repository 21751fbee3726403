#pragma once
// A reaction in the binary's terms: six species slots (reactants 1-3 with negative coefficients,
// products 4-6), parameters in the binary's units, the changed-order entries and the pressure
// table. The binary writer and the listing both take their values from here.
//
// A side with more than three species (real mechanisms have decompositions into four or five
// products) places its extra species in the free slots of the other side, keeping their sign.
// Production rates, enthalpy and equilibrium sums go by the sign of a slot's coefficient, so
// they stay right; the rates of progress, which take slots 1-3 as reactants and 4-6 as
// products, are replaced by changed-order entries for every reactant and (when reversible)
// every product, which the rate routines apply over the slot products.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

inline constexpr int32_t kSlots = 6;                 // MXSP
inline constexpr int32_t kFallOffParameters = 8;     // NFALPAR
inline constexpr double kAtmosphereDyn = 1013250.0;  // dyn/cm2

// A, b, E/R (K) with A in mol-cm-s.
using BinaryArrhenius = std::array<double, 3>;

struct CompiledReaction {
    std::array<int32_t, kSlots> species{};          // 0 = empty slot
    std::array<int32_t, kSlots> coefficients{};     // 0 for a real-coefficient reaction
    std::array<double, kSlots> realCoefficients{};  // negative for reactants
    int32_t speciesCount = 0;                       // negative when irreversible
    int32_t reactantCount = 0;
    BinaryArrhenius arrhenius{};
    std::optional<BinaryArrhenius> reverse;
    std::array<double, kFallOffParameters> fallOff{};  // rows 1-3 low-pressure A, b, E/R; 4-8 form
    // Changed orders: -k forward on species k, +k reverse, with the exponent.
    std::vector<std::pair<int32_t, double>> orders;
    // Pressure table: groups of `termsPerGroup` entries (pressure dyn/cm2, A, b, E cal/mol),
    // ascending in pressure; groups with fewer terms are padded with A = 0.
    std::vector<std::array<double, 4>> pressureTable;
    int32_t pressureGroups = 0;
    int32_t termsPerGroup = 0;
};

CompiledReaction CompileReaction(const Reaction& reaction, const ReactionUnits& units);

}  // namespace vantor::tolmar
