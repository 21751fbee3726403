// Forward and reverse rate constants and equilibrium constants of every reaction at one
// temperature array. The single-precision constants of the classic library are kept exactly.

#include <algorithm>
#include <cmath>
#include <ostream>

#include "chemlib/arrhenius_exponents.h"
#include "chemlib/binary_load.h"
#include "chemlib/integer_power.h"
#include "chemlib/library_constants.h"
#include "chemlib/ratio_constants.h"
#include "chemlib/vector_exp.h"

namespace vantor::chem {
namespace {

// One third and two thirds in single precision: the Landau-Teller temperature powers.
constexpr double kThirdSingle = 0.3333333432674408;
constexpr double kTwoThirdsSingle = 0.6666666865348816;
constexpr double kElectronVoltKelvin = 11600.0;

// A T^b exp(-E/T); b = E = 0 (a third of a typical mechanism) is A exactly, without the exp.
double Arrhenius(const double* p, double logT, double T) {
    if (p[1] == 0.0 && p[2] == 0.0) return p[0];
    return p[0] * std::exp(p[1] * logT - p[2] / T);
}

// Sum of the real coefficients of a real-coefficient entry over all MXSP slots (slots 1-6 of a
// six-slot binary; a lumped reaction's species after the sixth slot count as well).
double RealCoefficientSum(const double* coefficients, int32_t MXSP) {
    double sum = 0.0;
    for (int32_t n = 0; n < MXSP; ++n) sum += coefficients[n];
    return sum;
}

// exp(S) through per-species exponentials stays exact to rounding while no factor nears overflow:
// at most four factors a side, each below e^170.
constexpr double kRatioLimit = 170.0;

// Steps of the equilibrium constants, for the reactions whose reverse rate constant derives from
// them: exp(min(S, EXPARG)) times PFAC to the coefficient sum, S the sum of coefficient x SMH.
// PFAC to the small integer powers of the coefficient sums, taken from a table made once per call
// (the same values SmallPower gives, without its branch per reaction).
class PfacPowers {
public:
    explicit PfacPowers(double PFAC) : pfac_(PFAC) {
        for (int64_t n = -kRange; n <= kRange; ++n) table_[n + kRange] = SmallPower(PFAC, n);
    }
    double operator()(int64_t n) const {
        return n >= -kRange && n <= kRange ? table_[n + kRange] : SmallPower(pfac_, n);
    }

private:
    static constexpr int64_t kRange = 4;
    double pfac_;
    double table_[2 * kRange + 1];
};

// Returns whether the ratio form was taken; then the ratio-form reactions have their reverse
// constants RKR = RKF/max(EQK, SMALL) as well (EQK before the real-coefficient steps).
bool EquilibriumConstants(const ReactionTables& t, const MechanismLayout& L, const double* SMH, double PFAC,
                          const double* rckwrk, double* speciesExp, double* ratios, const double* ones,
                          const double* RKF, double* EQK, double* RKR) {
    const PfacPowers pfacPower(PFAC);
    double largest = 0.0;
    for (int32_t k = 0; k < t.KK; ++k) largest = std::max(largest, std::abs(SMH[k]));
    const bool ratioForm = largest < kRatioLimit;
    if (ratioForm) {
        static const double kExpOfExpArg = std::exp(kExpArg);
        ExpArray(SMH, speciesExp, t.KK);
        double* denominators = ratios + t.ratioReactions.size();
        t.equilibriumRatios.Evaluate(ones, ones, speciesExp, ratios, denominators);
        for (const RatioSegment& s : t.ratioSegments) {
            RatioConstants(ratios + s.begin, denominators + s.begin, t.ratioReactions.data() + s.begin,
                           pfacPower(s.coefficientSum), kExpOfExpArg, kSmall, RKF, EQK, RKR, s.end - s.begin);
        }
    }
    for (const int32_t i : ratioForm ? t.equilibriumBySum : t.equilibriumReactions) {
        double S = 0.0;
        for (int32_t s = t.slotBegin[i]; s < t.slotBegin[i + 1]; ++s)
            S += t.slotCoefficients[s] * SMH[t.slotSpecies[s]];
        EQK[i] = std::exp(std::min(S, kExpArg)) * pfacPower(t.coefficientSum[i]);
    }
    for (const auto& e : t.realStoich) {
        if (!t.needsEquilibrium[e.reaction]) continue;
        const double* nu = rckwrk + e.coefficients;
        double S = 0.0;
        for (int32_t s = e.begin; s < e.end; ++s) S += nu[t.realSlots[s].slot] * SMH[t.realSlots[s].species];
        if (S != 0.0) EQK[e.reaction] = std::exp(std::min(S, kExpArg)) * pfacPower(t.coefficientSum[e.reaction]);
    }
    for (const auto& e : t.realStoich) {
        if (t.needsEquilibrium[e.reaction]) {
            EQK[e.reaction] *= std::pow(PFAC, RealCoefficientSum(rckwrk + e.coefficients, L.MXSP));
        }
    }
    return ratioForm;
}

// Fit # 1: A Tf^b exp(sum of p(j)/Tf^j), the sum and the result capped at ln BIG and BIG.
double Fit1RateConstant(const double* arrhenius, const double* p, int32_t count, double Tf) {
    const double K0 = arrhenius[0] * std::pow(Tf, arrhenius[1]);
    const double logBig = kExpArg;
    double S = 0.0;
    double power = 1.0;  // Tf^j
    for (int32_t j = 1; j <= count; ++j) {
        power *= Tf;
        if (S >= logBig || std::pow(kBig, 1.0 / j) <= Tf) {
            S = logBig;
        } else {
            S += p[j - 1] / power;
        }
    }
    S = std::min(S, logBig);
    return std::min(K0 * std::exp(S), kBig);
}

}  // namespace

int32_t ChemistryLibrary::ComputeRateConstants(std::ostream& msg, int32_t NT, const double* T, const int32_t* ickwrk,
                                               double* rckwrk) {
    const MechanismLayout& L = layout_;
    const ReactionTables& t = tables_;
    if (!t.electronImpact.empty() && t.highestTemperatureIndex > NT) {
        msg << "Stop: electron-impact temperature index " << t.highestTemperatureIndex << " exceeds the " << NT
            << " temperatures given" << kLineEnd;
        return kRateTemperatureIndex;
    }
    const double T1 = T[0];
    const double ALOGT = std::log(T1);
    double* RKF = rckwrk + L.rForwardConstants;
    double* RKR = rckwrk + L.rReverseConstants;
    double* EQK = rckwrk + L.rReactionScratch[0];
    double* SMH = rckwrk + L.rSpeciesScratch[1];
    const int64_t row = int64_t(L.NPARAM) + 1;
    const double* arrhenius = rckwrk + L.rArrhenius;

    // A T^b exp(-E/T) as A exp(b ln T - E/T), the exponential shared by the reactions of equal
    // (b, E) and taken for all groups at once; b = E = 0 leaves A exactly (exp(0) = 1). The
    // groups and their b and E were formed at load: should a reaction's b or E differ from its
    // value then (the work array changed), every reaction takes its own exponential.
    const int32_t runs = static_cast<int32_t>(t.exponentLeader.size());
    double* factors = exponents_.data();
    const double* runB = t.exponentB.data();
    const double* runE = t.exponentE.data();
    ArrheniusExponents(runB, runE, ALOGT, T1, factors, runs);
    ExpArray(factors, factors, runs);
    const bool regrouped = GroupedRateConstants(arrhenius, t.arrheniusAtLoad.data(), row, t.exponentRun.data(), factors,
                                                RKF, t.II);
    if (regrouped) {
        for (int32_t i = 0; i < t.II; ++i) {
            const double* p = arrhenius + i * row;
            factors[i] = p[1] == 0.0 && p[2] == 0.0 ? 0.0 : p[1] * ALOGT - p[2] / T1;
        }
        ExpArray(factors, factors, t.II);
        for (int32_t i = 0; i < t.II; ++i) RKF[i] = arrhenius[i * row] * factors[i];
    }

    double thirdPower = 0.0, twoThirdsPower = 0.0;
    if (!t.landauTeller.empty() || !t.revLandauTeller.empty()) {
        thirdPower = std::pow(T1, kThirdSingle);
        twoThirdsPower = std::pow(T1, kTwoThirdsSingle);
    }
    for (const auto& e : t.landauTeller) {
        const double* p = rckwrk + e.params;
        RKF[e.reaction] *= std::exp(p[0] / thirdPower + p[1] / twoThirdsPower);
    }

    EntropyMinusEnthalpy(T1, ickwrk, rckwrk, SMH);
    const double PFAC = kAtmosphere / (kGasConstant * T1);
    const size_t entries = t.ratioReactions.size();
    double* ratios = ratioScratch_.data();
    // RKR = RKF/max(EQK, SMALL), for the ratio form together with its equilibrium constants.
    std::fill(RKR, RKR + t.II, 0.0);
    const bool ratioForm = EquilibriumConstants(t, L, SMH, PFAC, rckwrk, speciesScratch_.data(), ratios,
                                                ratios + 2 * entries, RKF, EQK, RKR);
    for (const int32_t i : ratioForm ? t.equilibriumBySum : t.equilibriumReactions) RKR[i] = RKF[i] / std::max(EQK[i], kSmall);
    for (const int32_t i : t.equilibriumOfReal) RKR[i] = RKF[i] / std::max(EQK[i], kSmall);
    // Explicit reverse parameters, the exponentials again all at once. The equilibrium constants
    // these reactions would get (RKF/RKR) are left out: nothing reads them before the block is
    // overwritten by the forward rates of progress, and an electron-impact reaction with reverse
    // parameters takes its reverse constant from those parameters again.
    const int32_t reverses = static_cast<int32_t>(t.reverse.size());
    double* reverseFactors = exponents_.data() + 3 * (size_t(t.II) + 1);
    double* reverseA = reverseFactors + reverses;
    ArrheniusExponentsAt(rckwrk, t.reverse.data(), ALOGT, T1, reverseFactors, reverseA, reverses);
    ExpArray(reverseFactors, reverseFactors, reverses);
    for (int32_t n = 0; n < reverses; ++n) RKR[t.reverse[n].reaction] = reverseA[n] * reverseFactors[n];
    for (const auto& e : t.revLandauTeller) {
        const double* p = rckwrk + e.params;
        RKR[e.reaction] *= std::exp(p[0] / thirdPower + p[1] / twoThirdsPower);
    }

    for (const auto& e : t.electronImpact) {
        const int32_t i = e.reaction;
        const double Te = T[e.temperature];
        const double logTe = std::log(Te);
        RKR[i] = 0.0;
        RKF[i] = Arrhenius(arrhenius + i * row, logTe, Te);
        const double ratio = (kAtmosphere / (kGasConstant * Te)) / PFAC;
        EQK[i] *= IntegerPower(ratio, t.coefficientSum[i]);
        for (int32_t r = e.realBegin; r < e.realEnd; ++r) {
            const RealStoichEntry& real = t.realStoich[t.electronImpactReal[r]];
            EQK[i] *= std::pow(ratio, RealCoefficientSum(rckwrk + real.coefficients, L.MXSP));
        }
        if (t.reversible[i]) RKR[i] = RKF[i] / std::max(EQK[i], kSmall);
        for (int32_t r = e.reverseBegin; r < e.reverseEnd; ++r) {
            RKR[i] = Arrhenius(rckwrk + t.electronImpactReverse[r], logTe, Te);
            EQK[i] = RKF[i] / std::max(RKR[i], kSmall);
        }
    }

    if (!t.jlep.empty()) {
        const double T2 = T[1];
        const double logT2 = std::log(T2);
        const double logTEV = std::log(T2 / kElectronVoltKelvin);
        for (const auto& e : t.jlep) {
            const int32_t i = e.reaction;
            const double* p = rckwrk + e.params;
            double sum = 0.0, power = 1.0;  // (ln TEV)^(j-1)
            for (int32_t j = 0; j < L.NJLEPPAR; ++j) {
                sum += p[j] * power;
                power *= logTEV;
            }
            RKR[i] = 0.0;
            RKF[i] = Arrhenius(arrhenius + i * row, logT2, T2) * std::exp(sum);
        }
    }

    for (size_t l = 0; l < t.fit1.size(); ++l) {
        const int32_t i = t.fit1[l].reaction;
        RKR[i] = 0.0;
        RKF[i] = Fit1RateConstant(arrhenius + i * row, rckwrk + t.fit1[l].params, L.NFIT1PAR, T[t.fit1Temperature[l]]);
    }

    return ApplyPressureTables(msg, T1, rckwrk);
}

}  // namespace vantor::chem
