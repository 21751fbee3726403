#include "outside/tolmar/mechanism_checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/fixed_format.h"

namespace vantor::tolmar {
namespace {

bool AllSpeciesHaveThermo(const Mechanism& mechanism, const Reaction& reaction) {
    for (const auto* side : {&reaction.reactants, &reaction.products})
        for (const StoichTerm& t : *side)
            if (!mechanism.species[static_cast<size_t>(t.species - 1)].hasThermo) return false;
    return true;
}

double AtomsOf(const Mechanism& mechanism, const std::vector<StoichTerm>& side, size_t element) {
    double atoms = 0.0;
    for (const StoichTerm& t : side)
        atoms += t.coefficient * mechanism.species[static_cast<size_t>(t.species - 1)].composition[element];
    return atoms;
}

// A side as text independent of the order its species were written in.
std::string SideKey(std::vector<StoichTerm> side) {
    std::sort(side.begin(), side.end(), [](const StoichTerm& a, const StoichTerm& b) { return a.species < b.species; });
    std::string key;
    for (const StoichTerm& t : side) key += std::to_string(t.species) + "*" + FormatFull(t.coefficient) + " ";
    return key;
}

std::string KindKey(const Reaction& reaction) {
    return std::to_string(static_cast<int>(reaction.kind)) + ":" + std::to_string(reaction.bathSpecies) + "|";
}

// Sign of the rate constant at one pressure: +1 or -1 when every nonzero A there has that sign,
// 0 when they mix (a sum such as a duplicate pair fitted together, whose sign the temperature
// decides) or are all zero.
int PressureSign(const std::vector<double>& As) {
    const bool positive = std::any_of(As.begin(), As.end(), [](double a) { return a > 0.0; });
    const bool negative = std::any_of(As.begin(), As.end(), [](double a) { return a < 0.0; });
    return positive == negative ? 0 : (positive ? 1 : -1);
}

std::string SignText(int sign) { return sign > 0 ? "A > 0" : "A < 0"; }

}  // namespace

void CheckPressureTableSigns(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics) {
    // Duplicates of one reaction are summed, so their tables count as one: terms of the same
    // pressure from several duplicates are terms of that pressure.
    std::map<std::string, std::vector<size_t>> tables;
    for (size_t i = 0; i < mechanism.reactions.size(); ++i) {
        const Reaction& r = mechanism.reactions[i];
        if (r.pressureTerms.empty()) continue;
        tables[r.duplicate ? KindKey(r) + SideKey(r.reactants) + "=" + SideKey(r.products) : std::to_string(i)]
            .push_back(i);
    }
    for (const auto& [key, members] : tables) {
        std::map<double, std::vector<double>> byPressure;
        for (const size_t i : members)
            for (const PressureTerm& t : mechanism.reactions[i].pressureTerms)
                byPressure[t.pressureAtm].push_back(t.rate.A);
        double firstPressure = 0.0;
        int firstSign = 0;
        for (const auto& [pressure, As] : byPressure) {
            const int sign = PressureSign(As);
            if (sign == 0) continue;
            if (firstSign == 0) {
                firstSign = sign, firstPressure = pressure;
                continue;
            }
            if (sign == firstSign) continue;
            for (const size_t i : members) {
                const Reaction& r = mechanism.reactions[i];
                diagnostics.Error(kBadNumber, {file, r.line},
                                  "PLOG rate constants change sign between " + FormatFull(firstPressure) + " atm (" +
                                      SignText(firstSign) + ") and " + FormatFull(pressure) + " atm (" +
                                      SignText(sign) + "), so ln k cannot be interpolated between them",
                                  r.equation, "A of one sign at every pressure of the table");
            }
            break;
        }
    }
}

void CheckElementBalance(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics) {
    for (const Reaction& reaction : mechanism.reactions) {
        if (!AllSpeciesHaveThermo(mechanism, reaction)) continue;
        for (size_t m = 0; m < mechanism.elements.size(); ++m) {
            const double in = AtomsOf(mechanism, reaction.reactants, m);
            const double out = AtomsOf(mechanism, reaction.products, m);
            const double tolerance =
                reaction.realCoefficients ? kBalanceTolerance * std::max({1.0, std::abs(in), std::abs(out)}) : 0.0;
            if (std::abs(in - out) <= tolerance) continue;
            diagnostics.Error(kElementImbalance, {file, reaction.line},
                              "reaction does not conserve element " + mechanism.elements[m].name + " (reactants " +
                                  FormatFull(in) + ", products " + FormatFull(out) + ")",
                              reaction.equation, "the same number of atoms of every element on both sides");
            break;
        }
    }
}

void CheckDuplicates(const Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics) {
    const auto& reactions = mechanism.reactions;
    std::unordered_map<std::string, std::vector<size_t>> byKey;
    std::vector<bool> partnered(reactions.size(), false);
    for (size_t i = 0; i < reactions.size(); ++i) {
        const Reaction& r = reactions[i];
        const std::string kind = KindKey(r);
        const std::string reactants = SideKey(r.reactants), products = SideKey(r.products);
        const std::string forward = kind + reactants + "=" + products;
        const std::string backward = kind + products + "=" + reactants;
        std::vector<size_t> matches;
        if (const auto it = byKey.find(forward); it != byKey.end()) matches = it->second;
        if (const auto it = byKey.find(backward); it != byKey.end() && backward != forward)
            for (const size_t j : it->second)
                if (r.reversible || reactions[j].reversible) matches.push_back(j);
        std::sort(matches.begin(), matches.end());
        for (const size_t j : matches) {
            if (r.duplicate && reactions[j].duplicate) {
                partnered[i] = partnered[j] = true;
                continue;
            }
            diagnostics.Error(kUndeclaredDuplicate, {file, r.line},
                              "reaction repeats reaction " + std::to_string(j + 1) + " (line " +
                                  std::to_string(reactions[j].line) + ") without DUPLICATE on both",
                              r.equation, "DUPLICATE after each of the two reactions");
            break;
        }
        byKey[forward].push_back(i);
    }
    for (size_t i = 0; i < reactions.size(); ++i) {
        if (!reactions[i].duplicate || partnered[i]) continue;
        diagnostics.Warning({file, reactions[i].line}, "DUPLICATE reaction " + reactions[i].equation +
                                                           " has no partner; read as a single reaction");
    }
}

}  // namespace vantor::tolmar
