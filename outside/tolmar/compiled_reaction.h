#pragma once
// A reaction in the binary's terms: species slots (reactants 1-3 with negative coefficients,
// products 4-6, and for lumped reactions further slots after the sixth), parameters in the
// binary's units, the changed-order entries and the pressure table. The binary writer and the
// listing both take their values from here.
//
// A side with more than three species (real mechanisms have decompositions into four or five
// products, lumped fuel reactions up to ten) places its extra species in the free slots of the
// other side and then in slots 7, 8, ... (at most `kMaxSlots`), keeping their sign. The binary's
// MXSP is the highest slot any reaction uses, never below six, so a mechanism whose reactions
// fit six slots is laid out exactly as a six-slot binary. Production rates, enthalpy and
// equilibrium sums go over all MXSP slots by the sign of a slot's coefficient, so they stay
// right; the rates of progress, which take slots 1-3 as reactants and 4-6 as products, are
// replaced by changed-order entries for every reactant and (when reversible) every product,
// which the rate routines apply over the slot products.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "chemlib/mechanism_layout.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

inline constexpr int32_t kBaseSlots = 6;             // the slots every binary has (MXSP at least)
inline constexpr int32_t kMaxSlots = 12;             // slots a lumped reaction may use
inline constexpr int32_t kFallOffParameters = 8;     // NFALPAR
inline constexpr double kAtmosphereDyn = 1013250.0;  // dyn/cm2

// A, b, E/R (K) with A in mol-cm-s.
using BinaryArrhenius = std::array<double, 3>;

struct CompiledReaction {
    std::array<int32_t, kMaxSlots> species{};          // 0 = empty slot
    std::array<int32_t, kMaxSlots> coefficients{};     // 0 for a real-coefficient reaction
    std::array<double, kMaxSlots> realCoefficients{};  // negative for reactants
    int32_t slotsUsed = kBaseSlots;                    // highest occupied slot, at least six
    int32_t speciesCount = 0;                       // negative when irreversible
    int32_t reactantCount = 0;
    BinaryArrhenius arrhenius{};
    std::optional<BinaryArrhenius> reverse;
    // Fall-off form code of the binary: 1 Lindemann, 2 SRI, 3/4 Troe; a chemically activated
    // reaction (HIGH) has the code plus chem::kChemicallyActivatedForm and the high-pressure limit in rows
    // 1-3, its own Arrhenius parameters being the low-pressure limit.
    int32_t fallOffForm = 0;
    std::array<double, kFallOffParameters> fallOff{};  // rows 1-3 low- (or high-) pressure A, b, E/R; 4-8 form
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
