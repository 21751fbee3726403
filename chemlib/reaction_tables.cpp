#include "chemlib/reaction_tables.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <optional>
#include <utility>

namespace vantor::chem {
namespace {

constexpr int kReactantSlots = 3;  // slots 1-3 reactants, 4-6 products

class TableBuilder {
public:
    TableBuilder(const MechanismLayout& L, const int32_t* ickwrk) : L_(L), ick_(ickwrk) {}

    // 0-based reaction of a stored 1-based reaction number; -1 when not in 1..II.
    int32_t Reaction(int64_t at) const {
        const int32_t i = ick_[at];
        return i >= 1 && i <= L_.II ? i - 1 : -1;
    }
    // 0-based species of a stored 1-based index; -1 for 0 or out of range.
    int32_t Species(int32_t k) const { return k >= 1 && k <= L_.KK ? k - 1 : -1; }
    int32_t SlotSpeciesOf(int32_t i, int n) const { return Species(ick_[L_.iSlotSpecies + int64_t(i) * L_.MXSP + n]); }
    int32_t CoefficientOf(int32_t i, int n) const { return ick_[L_.iStoich + int64_t(i) * L_.MXSP + n]; }

    void Reactions(ReactionTables& t) const {
        t.reversible.assign(t.II, 0);
        t.massAction.assign(t.II, {});
        t.coefficientSum.assign(t.II, 0);
        t.slotBegin.assign(size_t(t.II) + 1, 0);
        for (int32_t i = 0; i < t.II; ++i) {
            t.reversible[i] = ick_[L_.iSpeciesCount + i] > 0;
            t.slotBegin[i] = static_cast<int32_t>(t.slotSpecies.size());
            for (int n = 0; n < L_.MXSP; ++n) {
                const int32_t k = SlotSpeciesOf(i, n);
                const int32_t nu = CoefficientOf(i, n);
                if (k >= 0 && nu != 0) {
                    t.slotSpecies.push_back(k);
                    t.slotCoefficients.push_back(nu);
                }
                t.coefficientSum[i] += nu;
            }
            const MassActionFactors& f = t.massAction[i] = MassAction(i);
            if (!f.active) {
                t.inactiveMassAction.push_back(i);
                continue;
            }
            if (!Expand(t, i, f)) {
                t.generalMassAction.push_back(i);
            }
        }
        t.slotBegin[t.II] = static_cast<int32_t>(t.slotSpecies.size());
        BySpecies(t);
    }

    static void BySpecies(ReactionTables& t) {
        t.speciesTermBegin.assign(size_t(t.KK) + 1, 0);
        for (const int32_t k : t.slotSpecies) ++t.speciesTermBegin[k + 1];
        for (int32_t k = 0; k < t.KK; ++k) t.speciesTermBegin[k + 1] += t.speciesTermBegin[k];
        std::vector<int32_t> next(t.speciesTermBegin.begin(), t.speciesTermBegin.end() - 1);
        t.speciesTermReactions.resize(t.slotSpecies.size());
        t.speciesTermCoefficients.resize(t.slotSpecies.size());
        for (int32_t i = 0; i < t.II; ++i) {
            for (int32_t s = t.slotBegin[i]; s < t.slotBegin[i + 1]; ++s) {
                const int32_t at = next[t.slotSpecies[s]]++;
                t.speciesTermReactions[at] = i;
                t.speciesTermCoefficients[at] = t.slotCoefficients[s];
            }
        }
        t.speciesSums.Build(t.speciesTermBegin, t.speciesTermReactions, t.speciesTermCoefficients, t.II);
    }

    // Adds reaction i to the expanded products when it fits them.
    static bool Expand(ReactionTables& t, int32_t i, const MassActionFactors& f) {
        const auto side = [&](const SpeciesPower* factors, int count, int32_t* out, int& used) {
            for (int n = 0; n < count; ++n) {
                if (factors[n].power < 1 || factors[n].power > 3) return false;
                for (int64_t p = 0; p < factors[n].power; ++p) {
                    if (used == ShapedProducts::kWidth) return false;
                    out[used++] = factors[n].species;
                }
            }
            return true;
        };
        int32_t forward[ShapedProducts::kWidth], reverse[ShapedProducts::kWidth];
        int forwardUsed = 0, reverseUsed = 0;
        if (!side(f.forward, f.forwardCount, forward, forwardUsed) || !side(f.reverse, f.reverseCount, reverse, reverseUsed))
            return false;
        t.expanded.Add(i, forward, forwardUsed, reverse, reverseUsed);
        return true;
    }

    MassActionFactors MassAction(int32_t i) const {
        MassActionFactors f;
        if (L_.MXSP < 2 * kReactantSlots || CoefficientOf(i, 0) == 0) return f;
        f.active = true;
        const auto side = [&](int first, SpeciesPower* out, uint8_t& count, bool absolute) {
            for (int n = first; n < first + kReactantSlots; ++n) {
                const int32_t k = SlotSpeciesOf(i, n);
                if (k < 0) {
                    if (n == first) continue;  // an empty first slot contributes C^0
                    break;                     // the next slot counts only when this one is occupied
                }
                const int64_t nu = CoefficientOf(i, n);
                const int64_t power = absolute && nu < 0 ? -nu : nu;
                if (power != 0) out[count++] = {k, power};
            }
        };
        side(0, f.forward, f.forwardCount, true);
        side(kReactantSlots, f.reverse, f.reverseCount, false);
        return f;
    }

    std::vector<ParameterEntry> Simple(int64_t numbers, int32_t count, int64_t params, int64_t rowLength) const {
        std::vector<ParameterEntry> out;
        for (int32_t l = 0; l < count; ++l) {
            const int32_t i = Reaction(numbers + l);
            if (i >= 0) out.push_back({i, params + l * rowLength});
        }
        return out;
    }

    void FallOff(ReactionTables& t) const {
        for (int32_t l = 0; l < L_.NFALLOFF; ++l) {
            const int32_t i = Reaction(L_.iFallOff + l);
            int32_t form = ick_[L_.iFallOffForm + l];
            const bool activated = form > kChemicallyActivatedForm;
            if (activated) form -= kChemicallyActivatedForm;
            const int32_t bath = ick_[L_.iFallOffBath + l];
            if (i < 0 || form < 1 || form > 4 || bath < 0 || bath > L_.KK) continue;
            t.fallOff.push_back({i, form, bath - 1, L_.rFallOff + int64_t(l) * L_.NFALPAR, activated});
        }
    }

    void ThirdBody(ReactionTables& t) const {
        for (int32_t l = 0; l < L_.NTHIRD; ++l) {
            const int32_t i = Reaction(L_.iThirdBody + l);
            const int32_t count = ick_[L_.iThirdBodyCount + l];
            if (i < 0 || count < 0 || count > L_.MXTHIRD) continue;
            ThirdBodyEntry e{i, static_cast<int32_t>(t.thirdBodyTerms.size()), 0};
            for (int32_t j = 0; j < count; ++j) {
                const int64_t at = int64_t(l) * L_.MXTHIRD + j;
                const int32_t k = Species(ick_[L_.iThirdBodySpecies + at]);
                if (k >= 0) t.thirdBodyTerms.push_back({k, L_.rThirdBodyEff + at});
            }
            e.end = static_cast<int32_t>(t.thirdBodyTerms.size());
            t.thirdBody.push_back(e);
        }
        t.thirdBodySums.Build(t.thirdBody, t.thirdBodyTerms);
    }

    void RealStoich(ReactionTables& t) const {
        for (int32_t l = 0; l < L_.NREALNU; ++l) {
            const int32_t i = Reaction(L_.iRealNu + l);
            if (i < 0) continue;
            RealStoichEntry e{};
            e.reaction = i;
            e.coefficients = L_.rRealNu + int64_t(l) * L_.MXSP;
            e.begin = static_cast<int32_t>(t.realSlots.size());
            for (int n = 0; n < L_.MXSP; ++n) {
                const int32_t k = SlotSpeciesOf(i, n);
                if (k >= 0) t.realSlots.push_back({n, k});
            }
            e.end = static_cast<int32_t>(t.realSlots.size());
            if (L_.MXSP >= 2 * kReactantSlots) {
                const auto side = [&](int first, SlotSpecies* out, uint8_t& count) {
                    for (int n = first; n < first + kReactantSlots; ++n) {
                        const int32_t k = SlotSpeciesOf(i, n);
                        if (k < 0) {
                            if (n == first) continue;
                            break;
                        }
                        out[count++] = {n, k};
                    }
                };
                side(0, e.forward, e.forwardCount);
                side(kReactantSlots, e.reverse, e.reverseCount);
            }
            t.realStoich.push_back(e);
        }
    }

    void ElectronImpact(ReactionTables& t) const {
        for (int32_t l = 0; l < L_.NEIMP; ++l) {
            const int32_t i = Reaction(L_.iElectronImpact + l);
            const int32_t index = ick_[L_.iElectronTempIndex + l];
            if (i < 0 || index < 1) continue;
            ElectronImpactEntry e{i, index - 1, 0, 0, 0, 0};
            e.realBegin = static_cast<int32_t>(t.electronImpactReal.size());
            for (size_t r = 0; r < t.realStoich.size(); ++r) {
                if (t.realStoich[r].reaction == i) t.electronImpactReal.push_back(static_cast<int32_t>(r));
            }
            e.realEnd = static_cast<int32_t>(t.electronImpactReal.size());
            e.reverseBegin = static_cast<int32_t>(t.electronImpactReverse.size());
            for (const auto& rev : t.reverse) {
                if (rev.reaction == i) t.electronImpactReverse.push_back(rev.params);
            }
            e.reverseEnd = static_cast<int32_t>(t.electronImpactReverse.size());
            t.highestTemperatureIndex = std::max(t.highestTemperatureIndex, index);
            t.electronImpact.push_back(e);
        }
    }

    // Fit # 1 takes the temperature of the reaction's electron-impact entry, the last one if several.
    void Fit1Temperatures(ReactionTables& t) const {
        for (const auto& fit : t.fit1) {
            int32_t temperature = 0;
            for (const auto& e : t.electronImpact) {
                if (e.reaction == fit.reaction) temperature = e.temperature;
            }
            t.fit1Temperature.push_back(temperature);
        }
    }

    void Orders(ReactionTables& t) const {
        for (int32_t l = 0; l < L_.NORDER; ++l) {
            const int32_t i = Reaction(L_.iOrder + l);
            if (i < 0) continue;
            OrderEntry e{i, static_cast<int32_t>(t.orderTerms.size()), 0};
            for (int32_t j = 0; j < L_.MXORDER; ++j) {
                const int64_t at = int64_t(l) * L_.MXORDER + j;
                const int64_t q = ick_[L_.iOrderSpecies + at];
                if (q == 0 || q < -L_.KK || q > L_.KK) continue;
                t.orderTerms.push_back({static_cast<int32_t>((q < 0 ? -q : q) - 1), q < 0, L_.rOrderValues + at});
            }
            e.end = static_cast<int32_t>(t.orderTerms.size());
            t.orders.push_back(e);
        }
    }

    static void PressureTables(ReactionTables& t, const std::vector<int32_t>& index) {
        if (index.size() < 2 * size_t(t.II) + 1) return;
        const int32_t npmax = index[0];
        for (int32_t i = 0; i < t.II; ++i) {
            const int32_t terms = index[size_t(t.II) + 1 + i];
            if (index[size_t(i) + 1] > 0 && terms >= 1 && terms <= npmax) t.pressureTables.push_back({i, terms});
        }
    }

private:
    const MechanismLayout& L_;
    const int32_t* ick_;
};

struct RatioFactors {
    static constexpr int kWidth = ShapedProducts::kWidth;
    int32_t numerator[kWidth], denominator[kWidth];
    int numerators = 0, denominators = 0;
};

// The ratio form of reaction i's exp(sum of coefficient x SMH), when at most four factors a side.
std::optional<RatioFactors> Ratio(const ReactionTables& t, int32_t i) {
    RatioFactors e;
    for (int32_t s = t.slotBegin[i]; s < t.slotBegin[i + 1]; ++s) {
        const double nu = t.slotCoefficients[s];
        int32_t* side = nu > 0 ? e.numerator : e.denominator;
        int& used = nu > 0 ? e.numerators : e.denominators;
        const double repeat = nu > 0 ? nu : -nu;
        if (repeat > RatioFactors::kWidth - used) return std::nullopt;
        for (int n = 0; n < repeat; ++n) side[used++] = t.slotSpecies[s];
    }
    return e;
}

void EquilibriumTables(ReactionTables& t) {
    std::vector<std::pair<int32_t, RatioFactors>> ratios;
    for (int32_t i = 0; i < t.II; ++i) {
        if (!t.needsEquilibrium[i]) continue;
        t.equilibriumReactions.push_back(i);
        if (const auto e = Ratio(t, i)) {
            ratios.emplace_back(i, *e);
        } else {
            t.equilibriumBySum.push_back(i);
        }
    }
    std::stable_sort(ratios.begin(), ratios.end(), [&](const auto& a, const auto& b) {
        return t.coefficientSum[a.first] < t.coefficientSum[b.first];
    });
    for (size_t j = 0; j < ratios.size(); ++j) {
        const auto& [i, e] = ratios[j];
        const int64_t sum = t.coefficientSum[i];
        if (t.ratioSegments.empty() || t.ratioSegments.back().coefficientSum != sum)
            t.ratioSegments.push_back({sum, static_cast<int32_t>(j), static_cast<int32_t>(j)});
        ++t.ratioSegments.back().end;
        t.ratioReactions.push_back(i);
        t.equilibriumRatios.Add(static_cast<int32_t>(j), e.numerator, e.numerators, e.denominator, e.denominators);
    }
    for (const RealStoichEntry& e : t.realStoich) {
        if (t.needsEquilibrium[e.reaction]) t.equilibriumOfReal.push_back(e.reaction);
    }
}

}  // namespace

ReactionTables BuildReactionTables(const MechanismLayout& L, const int32_t* ickwrk,
                                   const std::vector<int32_t>& pressureTableIndex) {
    ReactionTables t;
    t.KK = L.KK;
    t.II = L.II;
    const TableBuilder b(L, ickwrk);
    b.Reactions(t);
    const int64_t arrheniusRow = int64_t(L.NPARAM) + 1;
    t.landauTeller = b.Simple(L.iLandauTeller, L.NLT, L.rLandauTeller, L.NLTPAR);
    t.revLandauTeller = b.Simple(L.iRevLandauTeller, L.NREVLT, L.rRevLandauTeller, L.NLTPAR);
    t.reverse = b.Simple(L.iReverse, L.NREVPAR, L.rReverse, arrheniusRow);
    t.jlep = b.Simple(L.iJlep, L.NJLEP, L.rJlep, L.NJLEPPAR);
    t.fit1 = b.Simple(L.iFit1, L.NFIT1, L.rFit1, L.NFIT1PAR);
    b.FallOff(t);
    b.ThirdBody(t);
    b.RealStoich(t);
    b.ElectronImpact(t);
    b.Fit1Temperatures(t);
    b.Orders(t);
    TableBuilder::PressureTables(t, pressureTableIndex);

    t.needsEquilibrium.assign(t.II, 0);
    for (int32_t i = 0; i < t.II; ++i) t.needsEquilibrium[i] = t.reversible[i];
    for (const auto& rev : t.reverse) t.needsEquilibrium[rev.reaction] = 0;
    EquilibriumTables(t);
    // Janev-Langer-Evans-Post and Fit # 1 reactions have no reverse constant whatever their count.
    std::vector<uint8_t> noReverse(t.II, 0);
    for (const auto& e : t.jlep) noReverse[e.reaction] = 1;
    for (const auto& e : t.fit1) noReverse[e.reaction] = 1;
    for (PressureTableEntry& e : t.pressureTables)
        e.reverseFromEquilibrium = t.needsEquilibrium[e.reaction] && !noReverse[e.reaction];
    return t;
}

void OrderByExponents(ReactionTables& t, const MechanismLayout& L, const double* rckwrk) {
    const int64_t row = int64_t(L.NPARAM) + 1;
    const double* arrhenius = rckwrk + L.rArrhenius;
    // Grouped by bit pattern, a total order even for NaN (which the evaluation never shares);
    // equal values of different bits (0.0 and -0.0) only miss a reuse.
    const auto key = [&](int32_t i) {
        const double* p = arrhenius + i * row;
        return std::pair(std::bit_cast<uint64_t>(p[1]), std::bit_cast<uint64_t>(p[2]));
    };
    std::vector<int32_t> order(t.II);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return key(a) < key(b); });
    t.exponentRun.assign(t.II, 0);
    t.exponentLeader.assign(1, -1);
    for (size_t n = 0; n < order.size(); ++n) {
        const int32_t i = order[n];
        const double* p = arrhenius + i * row;
        if (p[1] == 0.0 && p[2] == 0.0) continue;
        if (n == 0 || t.exponentLeader.size() == 1 || key(i) != key(t.exponentLeader.back())) t.exponentLeader.push_back(i);
        t.exponentRun[i] = static_cast<int32_t>(t.exponentLeader.size()) - 1;
    }
    t.exponentB.assign(1, 0.0);
    t.exponentE.assign(1, 0.0);
    for (size_t u = 1; u < t.exponentLeader.size(); ++u) {
        const double* p = arrhenius + t.exponentLeader[u] * row;
        t.exponentB.push_back(p[1]);
        t.exponentE.push_back(p[2]);
    }
    t.arrheniusAtLoad.assign(arrhenius, arrhenius + t.II * row);
}

}  // namespace vantor::chem
