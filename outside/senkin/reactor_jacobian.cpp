#include "outside/senkin/reactor_jacobian.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vantor::senkin {
namespace {

// Mass fraction below which a species counts as absent when the slopes are taken: far below
// anything the integrator resolves, far above underflow for third-order products.
constexpr double kFlooredMassFraction = 1e-30;
// Relative temperature step of the temperature column.
constexpr double kTemperatureStep = 1e-7;

struct ReactionOrders {
    std::map<int32_t, double> forward, reverse, net;  // 0-based species
};

// Reads reaction i (0-based) from the work arrays: stoichiometry (real where given), the orders
// changed by FORD/RORD, and whether it runs backwards at all.
std::vector<ReactionOrders> ReadReactions(const chem::Mechanism& mech) {
    const auto& L = mech.Layout();
    const int32_t* ick = mech.Ickwrk();
    const double* rck = mech.Rckwrk();
    std::map<int32_t, int32_t> realNuSlot;  // reaction (0-based) -> position in the real-nu block
    for (int32_t n = 0; n < L.NREALNU; ++n) realNuSlot[ick[L.iRealNu + n] - 1] = n;

    std::vector<ReactionOrders> reactions(static_cast<size_t>(L.II));
    for (int32_t i = 0; i < L.II; ++i) {
        auto& r = reactions[static_cast<size_t>(i)];
        const auto real = realNuSlot.find(i);
        for (int32_t s = 0; s < L.MXSP; ++s) {
            const int32_t k = ick[L.iSlotSpecies + s + static_cast<int64_t>(L.MXSP) * i];
            if (k < 1 || k > L.KK) continue;
            const double nu = real != realNuSlot.end()
                                  ? rck[L.rRealNu + s + static_cast<int64_t>(L.MXSP) * real->second]
                                  : ick[L.iStoich + s + static_cast<int64_t>(L.MXSP) * i];
            r.net[k - 1] += nu;
            if (nu < 0.0) r.forward[k - 1] += -nu;
            if (nu > 0.0) r.reverse[k - 1] += nu;
        }
    }
    for (int32_t n = 0; n < L.NORDER; ++n) {
        const int32_t i = ick[L.iOrder + n] - 1;
        if (i < 0 || i >= L.II) continue;
        for (int32_t j = 0; j < L.MXORDER; ++j) {
            const int32_t code = ick[L.iOrderSpecies + j + static_cast<int64_t>(L.MXORDER) * n];
            const double value = rck[L.rOrderValues + j + static_cast<int64_t>(L.MXORDER) * n];
            if (code < 0 && -code <= L.KK) reactions[static_cast<size_t>(i)].forward[-code - 1] = value;
            if (code > 0 && code <= L.KK) reactions[static_cast<size_t>(i)].reverse[code - 1] = value;
        }
    }
    for (int32_t i = 0; i < L.II; ++i) {
        if (ick[L.iSpeciesCount + i] < 0) reactions[static_cast<size_t>(i)].reverse.clear();
    }
    return reactions;
}

}  // namespace

ReactorJacobian::ReactorJacobian(const chem::Mechanism& mechanism)
    : size_(mechanism.KK() + 1), kk_(mechanism.KK()) {
    const auto reactions = ReadReactions(mechanism);
    std::vector<std::vector<int64_t>> columnRows(static_cast<size_t>(size_));
    for (int32_t j = 0; j < kk_; ++j) columnRows[static_cast<size_t>(j)] = {j, kk_};
    for (int32_t k = 0; k <= kk_; ++k) columnRows[static_cast<size_t>(kk_)].push_back(k);
    for (const auto& r : reactions) {
        for (const auto* orders : {&r.forward, &r.reverse}) {
            for (const auto& [j, order] : *orders) {
                for (const auto& [k, nu] : r.net) {
                    if (nu != 0.0) columnRows[static_cast<size_t>(j)].push_back(k);
                }
            }
        }
    }
    columnStarts_.push_back(0);
    for (auto& rows : columnRows) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        rows_.insert(rows_.end(), rows.begin(), rows.end());
        columnStarts_.push_back(static_cast<int64_t>(rows_.size()));
    }

    netStoich_.resize(reactions.size());
    for (size_t i = 0; i < reactions.size(); ++i) {
        const auto& r = reactions[i];
        for (const auto& [k, nu] : r.net) {
            if (nu != 0.0) netStoich_[i].emplace_back(k, nu);
        }
        for (const bool forward : {true, false}) {
            for (const auto& [j, order] : forward ? r.forward : r.reverse) {
                if (order == 0.0) continue;
                OrderTerm term{static_cast<int32_t>(i), j, order, forward, Entry(kk_, j),
                               static_cast<int32_t>(effects_.size()), 0};
                for (const auto& [k, nu] : netStoich_[i]) {
                    const double weightRatio = mechanism.MolecularWeight(k + 1) / mechanism.MolecularWeight(j + 1);
                    effects_.push_back({Entry(k, j), nu * weightRatio});
                }
                term.effectCount = static_cast<int32_t>(effects_.size()) - term.firstEffect;
                orders_.push_back(term);
            }
        }
    }
    floored_.resize(static_cast<size_t>(size_));
    shifted_.resize(static_cast<size_t>(size_));
    shiftedF_.resize(static_cast<size_t>(size_));
    concentration_.resize(static_cast<size_t>(kk_));
    reactionEnthalpy_.resize(reactions.size());
}

int64_t ReactorJacobian::Entry(int32_t row, int32_t column) const {
    const auto begin = rows_.begin() + columnStarts_[static_cast<size_t>(column)];
    const auto end = rows_.begin() + columnStarts_[static_cast<size_t>(column) + 1];
    return std::lower_bound(begin, end, row) - rows_.begin();
}

bool ReactorJacobian::Fill(ConstantPressureReactor& reactor, const double* y, const double* f, double* values) {
    std::fill(values, values + NonZeros(), 0.0);
    const auto kk = static_cast<size_t>(kk_);

    // Temperature column first: it evaluates the reactor at the true state.
    const double T = y[kk];
    const double dT = kTemperatureStep * T;
    std::copy(y, y + size_, shifted_.begin());
    shifted_[kk] = T + dT;
    if (!reactor.Derivatives(shifted_.data(), shiftedF_.data())) return false;
    const int64_t tColumn = columnStarts_[kk];
    for (size_t k = 0; k <= kk; ++k) values[tColumn + static_cast<int64_t>(k)] = (shiftedF_[k] - f[k]) / dT;

    for (size_t k = 0; k < kk; ++k) floored_[k] = std::max(y[k], kFlooredMassFraction);
    floored_[kk] = T;
    if (!reactor.Derivatives(floored_.data(), shiftedF_.data())) return false;
    const double rho = reactor.Density();
    const double cp = reactor.MixtureHeatCapacity();
    const auto& h = reactor.Enthalpies();
    const auto& qf = reactor.ForwardRates();
    const auto& qr = reactor.ReverseRates();
    for (size_t k = 0; k < kk; ++k) {
        concentration_[k] = rho * floored_[k] / reactor.MolecularWeight(static_cast<int>(k));
    }
    for (size_t i = 0; i < netStoich_.size(); ++i) {
        double dh = 0.0;
        for (const auto& [k, nu] : netStoich_[i]) dh += nu * h[static_cast<size_t>(k)];
        reactionEnthalpy_[i] = dh;
    }

    double orderWeightedHeat = 0.0;  // sum over orders of dH * order * q: how the heat release scales with density
    for (const auto& term : orders_) {
        const auto i = static_cast<size_t>(term.reaction);
        const auto j = static_cast<size_t>(term.species);
        const double q = (term.forward ? 1.0 : -1.0) * term.order * (term.forward ? qf[i] : qr[i]);
        if (q == 0.0) continue;
        const double slope = q / concentration_[j];
        for (int32_t e = term.firstEffect; e < term.firstEffect + term.effectCount; ++e) {
            values[effects_[static_cast<size_t>(e)].entry] += effects_[static_cast<size_t>(e)].nu * slope;
        }
        values[term.temperatureRowEntry] -= reactionEnthalpy_[i] * slope / (cp * reactor.MolecularWeight(term.species));
        orderWeightedHeat += reactionEnthalpy_[i] * q;
    }
    // The temperature row is dense anyway, so it also gets what the species rows leave out: a
    // mass fraction changes the mixture's heat capacity and, through the mean molecular weight,
    // the density and with it every concentration.
    const double temperatureSlope = f[kk];
    double moles = 0.0;
    for (size_t k = 0; k < kk; ++k) moles += y[k] / reactor.MolecularWeight(static_cast<int>(k));
    const double densityTerm = (temperatureSlope + orderWeightedHeat / (rho * cp)) / moles;
    const auto& cpR = reactor.HeatCapacities();
    for (size_t j = 0; j < kk; ++j) {
        const double w = reactor.MolecularWeight(static_cast<int>(j));
        const double cpSpecies = cpR[j] * chem::kGasConstant / w;
        // (T, j) is the last entry of column j.
        values[columnStarts_[j + 1] - 1] += densityTerm / w - temperatureSlope * cpSpecies / cp;
    }
    return true;
}

}  // namespace vantor::senkin
