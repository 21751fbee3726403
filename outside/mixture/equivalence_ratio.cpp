#include "outside/mixture/equivalence_ratio.h"

#include <cmath>

#include "outside/pellor/transport_data.h"

namespace vantor::mixture {
namespace {

// Oxygen the fuel needs and oxygen the oxidizer brings, both as O2 amounts.
struct OxygenBalance {
    double fuel = 0.0;       // amount of fuel species
    double needed = 0.0;     // sum over fuel of n (C + H/4 - O/2)
    double available = 0.0;  // sum over oxidizer of n O / 2
};

struct ElementColumns {
    int c = -1, h = -1, o = -1;  // 0-based element indices, -1 when absent
};

ElementColumns FindElements(const chem::Mechanism& mechanism) {
    ElementColumns e;
    for (int32_t m = 1; m <= mechanism.MM(); ++m) {
        const std::string name = pellor::UpperCase(mechanism.ElementName(m));
        if (name == "C") e.c = m - 1;
        if (name == "H") e.h = m - 1;
        if (name == "O") e.o = m - 1;
    }
    return e;
}

bool IsFuel(const int32_t* counts, const ElementColumns& e) {
    return (e.c >= 0 && counts[e.c] > 0) || (e.h >= 0 && counts[e.h] > 0);
}

double Count(const int32_t* counts, int column) { return column >= 0 ? counts[column] : 0.0; }

// Checks the amounts; false with the message naming the species at fault.
bool Balance(const chem::Mechanism& mechanism, const std::vector<double>& amounts, OxygenBalance& balance,
             std::string& error) {
    const int32_t kk = mechanism.KK();
    if (amounts.size() != static_cast<size_t>(kk)) {
        error = std::to_string(amounts.size()) + " amounts given for the mechanism's " + std::to_string(kk) + " species";
        return false;
    }
    const auto& layout = mechanism.Layout();
    const ElementColumns e = FindElements(mechanism);
    for (int32_t k = 0; k < kk; ++k) {
        const double n = amounts[static_cast<size_t>(k)];
        if (!std::isfinite(n) || n < 0.0) {
            error = "species " + mechanism.SpeciesName(k + 1) + ": amount " + std::to_string(n) +
                    " is not a non-negative number";
            return false;
        }
        const int32_t* counts = mechanism.Ickwrk() + layout.iElementCounts + int64_t(k) * layout.MM;
        if (IsFuel(counts, e)) {
            balance.fuel += n;
            balance.needed += n * (Count(counts, e.c) + 0.25 * Count(counts, e.h) - 0.5 * Count(counts, e.o));
        } else {
            balance.available += 0.5 * n * Count(counts, e.o);
        }
    }
    return true;
}

}  // namespace

bool MixtureAtEquivalenceRatio(const chem::Mechanism& mechanism, const std::vector<double>& amounts, double phi,
                               std::vector<double>& moleFractions, std::string& error) {
    if (!(phi > 0.0) || !std::isfinite(phi)) {
        error = "equivalence ratio " + std::to_string(phi) + " is not a positive number";
        return false;
    }
    OxygenBalance balance;
    if (!Balance(mechanism, amounts, balance, error)) return false;
    if (!(balance.fuel > 0.0)) {
        error = "no fuel (a species containing C or H) in the mixture";
        return false;
    }
    if (!(balance.needed > 0.0)) {
        error = "the fuel needs no oxygen to burn to CO2 and H2O";
        return false;
    }
    if (!(balance.available > 0.0)) {
        error = "no oxygen in the oxidizer (the species without C or H)";
        return false;
    }
    const double scale = phi * balance.available / balance.needed;
    const auto& layout = mechanism.Layout();
    const ElementColumns e = FindElements(mechanism);
    moleFractions.assign(amounts.size(), 0.0);
    double total = 0.0;
    for (size_t k = 0; k < amounts.size(); ++k) {
        const int32_t* counts = mechanism.Ickwrk() + layout.iElementCounts + int64_t(k) * layout.MM;
        moleFractions[k] = IsFuel(counts, e) ? scale * amounts[k] : amounts[k];
        total += moleFractions[k];
    }
    for (auto& x : moleFractions) x /= total;
    return true;
}

double EquivalenceRatio(const chem::Mechanism& mechanism, const std::vector<double>& amounts) {
    OxygenBalance balance;
    std::string error;
    if (!Balance(mechanism, amounts, balance, error) || !(balance.needed > 0.0) || !(balance.available > 0.0)) {
        return -1.0;
    }
    return balance.needed / balance.available;
}

}  // namespace vantor::mixture
