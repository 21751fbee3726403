#include "outside/tolmar/compiled_reaction.h"

#include <algorithm>
#include <cmath>

#include "outside/tolmar/rate_units.h"
#include "outside/tolmar/reaction_equation.h"

namespace vantor::tolmar {
namespace {

BinaryArrhenius ToBinary(const Arrhenius& rate, const ReactionUnits& units, double order) {
    return {ToMoleUnits(rate.A, units, order), rate.b, ToActivationTemperature(rate.E, units.energy)};
}

// Slot positions of a side's species: its own three slots first, then the free slots of the
// other side (after that side's own species), then the slots after the sixth from `overflow` on.
std::vector<size_t> SlotPositions(size_t count, size_t ownFirst, size_t otherFirst, size_t otherCount,
                                  size_t& overflow) {
    constexpr size_t kSideSlots = kBaseSlots / 2;
    std::vector<size_t> positions;
    for (size_t n = 0; n < count; ++n) {
        if (n < kSideSlots) {
            positions.push_back(ownFirst + n);
        } else if (otherCount + (n - kSideSlots) < kSideSlots) {
            positions.push_back(otherFirst + otherCount + (n - kSideSlots));
        } else {
            positions.push_back(overflow++);
        }
    }
    return positions;
}

void FillSlots(const Reaction& reaction, CompiledReaction& out) {
    constexpr size_t kProductFirst = kBaseSlots / 2;
    const size_t ownReactants = std::min<size_t>(reaction.reactants.size(), kProductFirst);
    const size_t ownProducts = std::min<size_t>(reaction.products.size(), kProductFirst);
    const auto fill = [&](const std::vector<StoichTerm>& side, const std::vector<size_t>& positions, double sign) {
        for (size_t n = 0; n < side.size(); ++n) {
            const size_t slot = positions[n];
            out.species[slot] = side[n].species;
            out.realCoefficients[slot] = sign * side[n].coefficient;
            if (!reaction.realCoefficients)
                out.coefficients[slot] = static_cast<int32_t>(std::lround(sign * side[n].coefficient));
            out.slotsUsed = std::max(out.slotsUsed, static_cast<int32_t>(slot) + 1);
        }
    };
    // The equation reader allows at most kMaxReactionSpecies, so the overflow stays inside the arrays.
    static_assert(kMaxReactionSpecies <= static_cast<size_t>(kMaxSlots));
    size_t overflow = kBaseSlots;
    fill(reaction.reactants, SlotPositions(reaction.reactants.size(), 0, kProductFirst, ownProducts, overflow), -1.0);
    fill(reaction.products, SlotPositions(reaction.products.size(), kProductFirst, 0, ownReactants, overflow), 1.0);
    if (!reaction.realCoefficients) out.realCoefficients.fill(0.0);
    const auto occupied = static_cast<int32_t>(reaction.reactants.size() + reaction.products.size());
    out.speciesCount = reaction.reversible ? occupied : -occupied;
    out.reactantCount = static_cast<int32_t>(reaction.reactants.size());
}

void FillFallOff(const Reaction& reaction, const ReactionUnits& units, CompiledReaction& out) {
    if (!reaction.low && !reaction.high) return;
    // k0 [M] / kinf is a ratio, so the high-pressure limit has one order less than the reaction's
    // own (low-pressure) rate, as the low-pressure limit of a fall-off reaction has one more.
    const BinaryArrhenius limit = reaction.high ? ToBinary(*reaction.high, units, ForwardOrder(reaction) - 1.0)
                                                : ToBinary(*reaction.low, units, ForwardOrder(reaction) + 1.0);
    std::copy(limit.begin(), limit.end(), out.fallOff.begin());
    out.fallOffForm = static_cast<int32_t>(reaction.form) + (reaction.high ? chem::kChemicallyActivatedForm : 0);
    for (size_t n = 0; n < reaction.formParameters.size() && n + 3 < out.fallOff.size(); ++n)
        out.fallOff[n + 3] = reaction.formParameters[n];
}

// Every reactant (and, when reversible, every product) gets an entry, since the changed-order
// rate replaces the whole concentration product; species named only in FORD/RORD follow.
void FillOrders(const Reaction& reaction, CompiledReaction& out) {
    if (!reaction.HasOrders() && !reaction.BorrowsSlots()) return;
    const auto add = [&out](const std::vector<StoichTerm>& side, const std::vector<std::pair<int32_t, double>>& given,
                            int32_t sign) {
        for (const StoichTerm& t : side) {
            double value = t.coefficient;
            for (const auto& [k, v] : given)
                if (k == t.species) value = v;
            out.orders.emplace_back(sign * t.species, value);
        }
        for (const auto& entry : given) {
            const int32_t k = entry.first;
            const bool onSide =
                std::any_of(side.begin(), side.end(), [k](const StoichTerm& t) { return t.species == k; });
            if (!onSide) out.orders.emplace_back(sign * k, entry.second);
        }
    };
    add(reaction.reactants, reaction.forwardOrders, -1);
    if (reaction.reversible) add(reaction.products, reaction.reverseOrders, 1);
}

void FillPressureTable(const Reaction& reaction, const ReactionUnits& units, CompiledReaction& out) {
    if (reaction.pressureTerms.empty()) return;
    std::vector<PressureTerm> terms = reaction.pressureTerms;
    std::stable_sort(terms.begin(), terms.end(),
                     [](const PressureTerm& a, const PressureTerm& b) { return a.pressureAtm < b.pressureAtm; });
    // Terms at one pressure are summed by the rate routine, so each group is padded to the size
    // of the largest.
    std::vector<std::pair<size_t, size_t>> groups;  // first term, count
    for (size_t i = 0; i < terms.size(); ++i) {
        if (groups.empty() || terms[i].pressureAtm != terms[groups.back().first].pressureAtm) groups.emplace_back(i, 0);
        ++groups.back().second;
    }
    size_t m = 0;
    for (const auto& g : groups) m = std::max(m, g.second);
    const double order = ForwardOrder(reaction);
    for (const auto& [first, count] : groups) {
        const double pressure = terms[first].pressureAtm * kAtmosphereDyn;
        for (size_t n = 0; n < m; ++n) {
            if (n >= count) {
                out.pressureTable.push_back({pressure, 0.0, 0.0, 0.0});
                continue;
            }
            const Arrhenius& rate = terms[first + n].rate;
            out.pressureTable.push_back(
                {pressure, ToMoleUnits(rate.A, units, order), rate.b, ToCalPerMole(rate.E, units.energy)});
        }
    }
    out.pressureGroups = static_cast<int32_t>(groups.size());
    out.termsPerGroup = static_cast<int32_t>(m);
}

}  // namespace

CompiledReaction CompileReaction(const Reaction& reaction, const ReactionUnits& units) {
    CompiledReaction out;
    FillSlots(reaction, out);
    out.arrhenius = ToBinary(reaction.rate, units, ForwardOrder(reaction));
    if (reaction.reverse) out.reverse = ToBinary(*reaction.reverse, units, ReverseOrder(reaction));
    FillFallOff(reaction, units, out);
    FillOrders(reaction, out);
    FillPressureTable(reaction, units, out);
    return out;
}

}  // namespace vantor::tolmar
