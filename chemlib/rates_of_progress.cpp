// Rates of progress and molar production rates: third-body factors, fall-off blending and the
// concentration products of every reaction.

#include <algorithm>
#include <cmath>
#include <ostream>

#include "chemlib/chemistry_library.h"
#include "chemlib/integer_power.h"
#include "chemlib/library_constants.h"
#include "chemlib/vector_exp.h"
#include "chemlib/vector_log.h"

namespace vantor::chem {
namespace {

// The classic library's Troe constants, in single precision.
constexpr double kTroeTiny = 9.999999682655225e-21;  // 1.0e-20
constexpr double kTroeN = 1.2699999809265137;        // 1.27
constexpr double kTroeC = 0.4000000059604645;        // 0.4
constexpr double kTroeCSlope = 0.6700000166893005;   // 0.67
constexpr double kTroeD = 0.14000000059604645;       // 0.14
constexpr double kLn10 = 2.302585092994046;

// The exponents of a fall-off reaction's temperature-only exponentials, taken for all reactions
// at once: the other limit's b ln T - E/T, then SRI -b/T and -T/c, or Troe -T/T***, -T/T* and
// (form 4) -T**/T; 0 where unused.
void TemperatureExponents(int32_t form, const double* p, double T1, double ALOGT, double* x) {
    x[0] = p[1] * ALOGT - p[2] / T1;
    x[1] = x[2] = x[3] = 0.0;
    if (form == 2) {
        x[1] = -p[4] / T1;
        x[2] = -T1 / p[5];
    } else if (form > 2) {
        x[1] = -T1 / (p[4] + kTroeTiny);
        x[2] = -T1 / (p[5] + kTroeTiny);
        if (form == 4) x[3] = -p[6] / T1;
    }
}

// The parts of a fall-off reaction of form 2 (SRI) that depend on the temperature only, from the
// exponentials of its exponents: the base a exp(-b/T) + exp(-T/c), d and T^e.
void SriTerms(const double* p, double T1, const double* e, FallOffTemperatureTerms& terms) {
    terms.a = p[3] * e[1] + e[2];
    terms.b = p[6];
    terms.c = std::pow(T1, p[7]);
}

// Troe: max(Fcent, SMALL) from those exponentials (form 3 or 4).
double TroeCentre(int32_t form, const double* p, const double* e) {
    double FCENT = (1.0 - p[3]) * e[1] + p[3] * e[2];
    if (form == 4) FCENT += e[3];
    return std::max(FCENT, kSmall);
}

// Troe: the temperature-only terms log10 Fcent, n and c from FCLOG.
void TroeTerms(double FCLOG, FallOffTemperatureTerms& terms) {
    terms.a = FCLOG;
    terms.b = 0.75 - kTroeN * FCLOG;         // n
    terms.c = kTroeC + kTroeCSlope * FCLOG;  // c
}

// SRI: the broadening factor F from those terms and PRLOG = log10(max(PR, SMALL)).
double SriBroadening(const FallOffTemperatureTerms& terms, double PRLOG) {
    const double XP = 1.0 / (1.0 + PRLOG * PRLOG);
    return std::pow(terms.a, XP) * terms.b * terms.c;
}

// Troe: F = 10^FLOG = exp(FLOG ln 10); returns the exponent FLOG ln 10.
double TroeExponent(const FallOffTemperatureTerms& terms, double PRLOG) {
    const double CPRLOG = PRLOG - terms.c;
    const double ratio = CPRLOG / (terms.b - kTroeD * CPRLOG);
    const double FLOG = terms.a / (1.0 + ratio * ratio);
    return FLOG * kLn10;
}

// A concentration to a real power (a real coefficient or order). The Newton iterations of a run
// try concentrations a little below zero, where pow is NaN for a fractional power: that factor is
// taken as 0 there. It is continuous with the value at 0 for a positive power, never has the wrong
// sign (the reaction does not run on a species that is not there, and a rate of zero times NaN
// does not poison an irreversible reaction's reverse rate). A whole-valued power keeps pow's
// value, the same as a whole coefficient's; non-negative concentrations keep pow's bits.
double RealPower(double c, double power) {
    if (c < 0.0 && power != std::trunc(power)) return 0.0;
    return std::pow(c, power);
}

double Product(double rate, const SpeciesPower* factors, int count, const double* C) {
    for (int n = 0; n < count; ++n) rate *= SmallPower(C[factors[n].species], factors[n].power);
    return rate;
}

}  // namespace

void ChemistryLibrary::ComputeRatesOfProgress(double T1, double* rckwrk, bool sameTemperature, const double* baseF,
                                              const double* baseR, double* RF, double* RR) {
    const MechanismLayout& L = layout_;
    const ReactionTables& t = tables_;
    const double* C = rckwrk + L.rSpeciesScratch[0];
    double* RKF = rckwrk + L.rForwardConstants;
    double* RKR = rckwrk + L.rReverseConstants;
    // The third-body factors of the third-body and fall-off reactions; every other reaction's is
    // 1.0 and is neither stored nor multiplied with.
    double* CTB = rckwrk + L.rReactionScratch[2];
    const int64_t row = int64_t(L.NPARAM) + 1;
    const double* perturbation = rckwrk + L.rArrhenius + L.NPARAM;

    for (const FallOffEntry& e : t.fallOff) CTB[e.reaction] = 1.0;
    if (!t.thirdBody.empty()) {
        double CTOT = 0.0;
        for (int32_t k = 0; k < t.KK; ++k) CTOT += C[k];
        t.thirdBodySums.Sum(CTOT, rckwrk, C, CTB);
    }

    // The effective constants: rate constant x CTB x perturbation factor, multiplied in that order.
    for (int32_t i = 0; i < t.II; ++i) {
        const double factor = perturbation[i * row];
        RKF[i] = baseF[i] * factor;
        RKR[i] = baseR[i] * factor;
    }
    for (const ThirdBodyEntry& e : t.thirdBody) {
        const int32_t i = e.reaction;
        const double factor = perturbation[i * row];
        RKF[i] = baseF[i] * CTB[i] * factor;
        RKR[i] = baseR[i] * CTB[i] * factor;
    }

    const size_t falls = t.fallOff.size();
    if (!sameTemperature) {
        // The other limit: the low-pressure one of a fall-off reaction, the high-pressure one of a
        // chemically activated reaction (whose rate constant is its low-pressure limit).
        const double ALOGT = std::log(T1);
        double* x = fallOffScratch_.data();
        for (size_t n = 0; n < falls; ++n) {
            TemperatureExponents(t.fallOff[n].form, rckwrk + t.fallOff[n].params, T1, ALOGT, x + 4 * n);
        }
        ExpArray(x, x, static_cast<int32_t>(4 * falls));
        double* centre = x + 4 * falls;  // max(Fcent, SMALL), then its decimal logarithm
        for (size_t n = 0; n < falls; ++n) {
            const FallOffEntry& e = t.fallOff[n];
            const double* p = rckwrk + e.params;
            fallOffTerms_[n].limit = p[0] * x[4 * n];
            if (e.form == 2) SriTerms(p, T1, x + 4 * n, fallOffTerms_[n]);
            centre[n] = e.form > 2 ? TroeCentre(e.form, p, x + 4 * n) : 1.0;
        }
        Log10Array(centre, centre, static_cast<int32_t>(falls));
        for (size_t n = 0; n < falls; ++n) {
            if (t.fallOff[n].form > 2) TroeTerms(centre[n], fallOffTerms_[n]);
        }
    }
    // PCOR in three passes around one array logarithm of the reduced pressures and one array
    // exponential of the Troe factors' exponents.
    double* PCOR = fallOffScratch_.data();
    double* troe = PCOR + falls;
    double* PRLOG = troe + falls;
    for (size_t n = 0; n < falls; ++n) {
        const FallOffEntry& e = t.fallOff[n];
        const int32_t i = e.reaction;
        const double RKLIM = fallOffTerms_[n].limit;
        const double M = e.bath < 0 ? CTB[i] : C[e.bath];
        if (e.bath < 0) CTB[i] = 1.0;  // the mixture is counted once, inside PR
        const double PR = e.activated ? baseF[i] * M / RKLIM : RKLIM * M / baseF[i];
        PCOR[n] = e.activated ? 1.0 / (1.0 + PR) : PR / (1.0 + PR);
        PRLOG[n] = e.form > 1 ? std::max(PR, kSmall) : 1.0;
    }
    Log10Array(PRLOG, PRLOG, static_cast<int32_t>(falls));
    for (size_t n = 0; n < falls; ++n) {
        const int32_t form = t.fallOff[n].form;
        if (form == 2) PCOR[n] *= SriBroadening(fallOffTerms_[n], PRLOG[n]);
        troe[n] = form > 2 ? TroeExponent(fallOffTerms_[n], PRLOG[n]) : 0.0;
    }
    ExpArray(troe, troe, static_cast<int32_t>(falls));
    for (size_t n = 0; n < falls; ++n) {
        const FallOffEntry& e = t.fallOff[n];
        const int32_t i = e.reaction;
        const double pcor = e.form > 2 ? PCOR[n] * troe[n] : PCOR[n];
        const double factor = perturbation[i * row];
        RKF[i] = pcor * baseF[i] * CTB[i] * factor;
        RKR[i] = pcor * baseR[i] * CTB[i] * factor;
    }

    t.expanded.Evaluate(RKF, RKR, C, RF, RR);
    for (const int32_t i : t.generalMassAction) {
        const MassActionFactors& f = t.massAction[i];
        RF[i] = Product(RKF[i], f.forward, f.forwardCount, C);
        RR[i] = Product(RKR[i], f.reverse, f.reverseCount, C);
    }
    for (const int32_t i : t.inactiveMassAction) RF[i] = RR[i] = 0.0;

    for (const RealStoichEntry& e : t.realStoich) {
        const double* nu = rckwrk + e.coefficients;
        double rf = RKF[e.reaction], rr = RKR[e.reaction];
        for (int n = 0; n < e.forwardCount; ++n)
            rf *= RealPower(C[e.forward[n].species], std::abs(nu[e.forward[n].slot]));
        for (int n = 0; n < e.reverseCount; ++n) rr *= RealPower(C[e.reverse[n].species], nu[e.reverse[n].slot]);
        RF[e.reaction] = rf;
        RR[e.reaction] = rr;
    }

    for (const OrderEntry& e : t.orders) {
        double rf = RKF[e.reaction], rr = RKR[e.reaction];
        for (int32_t n = e.begin; n < e.end; ++n) {
            const OrderTerm& term = t.orderTerms[n];
            const double power = RealPower(C[term.species], rckwrk[term.value]);
            if (term.forward) {
                rf *= power;
            } else {
                rr *= power;
            }
        }
        RF[e.reaction] = rf;
        RR[e.reaction] = rr;
    }
}

int32_t ChemistryLibrary::ComputeProductionRates(std::ostream& msg, int32_t NT, double P, const double* T,
                                                 const double* Y, const int32_t* ickwrk, double* rckwrk, double* WDOT,
                                                 double* QF, double* QR) {
    CurrentPressure = P;
    if (NT < 2) {
        msg << "Stop: temperature array must be larger than 2" << kLineEnd;
        return kRateTemperatureArray;
    }
    const MechanismLayout& L = layout_;
    double* RKF = rckwrk + L.rForwardConstants;
    double* RKR = rckwrk + L.rReverseConstants;
    double* SMH = rckwrk + L.rSpeciesScratch[1];
    // The fall-off terms of the last evaluation belong to the state the cache holds: every stored
    // state is followed by its rates of progress.
    const bool sameState = rateConstants_.Restore(rckwrk, NT, T, P, SMH);
    if (!sameState) {
        if (const int32_t status = ComputeRateConstants(msg, NT, T, ickwrk, rckwrk); status != kRateOk) return status;
        rateConstants_.Store(rckwrk, NT, T, P, tables_.II, tables_.KK, RKF, RKR, SMH);
    }
    MassFractionsToConcentrations(P, T, Y, ickwrk, rckwrk, rckwrk + layout_.rSpeciesScratch[0]);
    // The rates of progress go straight to QF and QR (the work array's rate-of-progress blocks
    // are left to the rate-constant step's scratch).
    ComputeRatesOfProgress(T[0], rckwrk, sameState, rateConstants_.Forward(), rateConstants_.Reverse(), QF, QR);

    const ReactionTables& t = tables_;
    double* net = netRates_.data();  // its last element, the padding of the sums, stays 0
    for (int32_t i = 0; i < t.II; ++i) net[i] = QF[i] - QR[i];
    t.speciesSums.Sum(net, WDOT);
    for (const RealStoichEntry& e : t.realStoich) {
        const double q = QF[e.reaction] - QR[e.reaction];
        const double* nu = rckwrk + e.coefficients;
        for (int32_t s = e.begin; s < e.end; ++s) WDOT[t.realSlots[s].species] += nu[t.realSlots[s].slot] * q;
    }
    return kRateOk;
}

}  // namespace vantor::chem
