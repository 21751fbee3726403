// Rates of progress and molar production rates: third-body factors, fall-off blending and the
// concentration products of every reaction.

#include <algorithm>
#include <cmath>
#include <ostream>

#include "chemlib/chemistry_library.h"
#include "chemlib/integer_power.h"
#include "chemlib/library_constants.h"

namespace vantor::chem {
namespace {

// The classic library's Troe constants, in single precision.
constexpr double kTroeTiny = 9.999999682655225e-21;  // 1.0e-20
constexpr double kTroeN = 1.2699999809265137;        // 1.27
constexpr double kTroeC = 0.4000000059604645;        // 0.4
constexpr double kTroeCSlope = 0.6700000166893005;   // 0.67
constexpr double kTroeD = 0.14000000059604645;       // 0.14
constexpr double kLn10 = 2.302585092994046;

// The parts of a fall-off reaction of form 2 (SRI), 3 or 4 (Troe) that depend on the temperature
// only: SRI the base a exp(-b/T) + exp(-T/c), d and T^e; Troe log10 Fcent, n and c.
void BroadeningTerms(int32_t form, const double* p, double T1, FallOffTemperatureTerms& terms) {
    if (form == 2) {
        terms.a = p[3] * std::exp(-p[4] / T1) + std::exp(-T1 / p[5]);
        terms.b = p[6];
        terms.c = std::pow(T1, p[7]);
        return;
    }
    double FCENT = (1.0 - p[3]) * std::exp(-T1 / (p[4] + kTroeTiny)) + p[3] * std::exp(-T1 / (p[5] + kTroeTiny));
    if (form == 4) FCENT += std::exp(-p[6] / T1);
    const double FCLOG = std::log10(std::max(FCENT, kSmall));
    terms.a = FCLOG;
    terms.b = 0.75 - kTroeN * FCLOG;             // n
    terms.c = kTroeC + kTroeCSlope * FCLOG;      // c
}

// The broadening factor F from those terms and the reduced pressure.
double Broadening(int32_t form, const FallOffTemperatureTerms& terms, double PR) {
    const double PRLOG = std::log10(std::max(PR, kSmall));
    if (form == 2) {
        const double XP = 1.0 / (1.0 + PRLOG * PRLOG);
        return std::pow(terms.a, XP) * terms.b * terms.c;
    }
    const double CPRLOG = PRLOG - terms.c;
    const double ratio = CPRLOG / (terms.b - kTroeD * CPRLOG);
    const double FLOG = terms.a / (1.0 + ratio * ratio);
    return std::exp(FLOG * kLn10);  // 10^FLOG
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
        for (const ThirdBodyEntry& e : t.thirdBody) {
            double ctb = CTOT;
            for (int32_t n = e.begin; n < e.end; ++n) {
                const ThirdBodyTerm& term = t.thirdBodyTerms[n];
                ctb += (rckwrk[term.efficiency] - 1.0) * C[term.species];
            }
            CTB[e.reaction] = ctb;
        }
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

    if (!sameTemperature) {
        const double ALOGT = std::log(T1);
        for (size_t n = 0; n < t.fallOff.size(); ++n) {
            const FallOffEntry& e = t.fallOff[n];
            const double* p = rckwrk + e.params;
            // The other limit: the low-pressure one of a fall-off reaction, the high-pressure one
            // of a chemically activated reaction (whose rate constant is its low-pressure limit).
            fallOffTerms_[n].limit = p[0] * std::exp(p[1] * ALOGT - p[2] / T1);
            if (e.form > 1) BroadeningTerms(e.form, p, T1, fallOffTerms_[n]);
        }
    }
    for (size_t n = 0; n < t.fallOff.size(); ++n) {
        const FallOffEntry& e = t.fallOff[n];
        const int32_t i = e.reaction;
        const double RKLIM = fallOffTerms_[n].limit;
        const double M = e.bath < 0 ? CTB[i] : C[e.bath];
        if (e.bath < 0) CTB[i] = 1.0;  // the mixture is counted once, inside PR
        const double PR = e.activated ? baseF[i] * M / RKLIM : RKLIM * M / baseF[i];
        double PCOR = e.activated ? 1.0 / (1.0 + PR) : PR / (1.0 + PR);
        if (e.form > 1) PCOR *= Broadening(e.form, fallOffTerms_[n], PR);
        const double factor = perturbation[i * row];
        RKF[i] = PCOR * baseF[i] * CTB[i] * factor;
        RKR[i] = PCOR * baseR[i] * CTB[i] * factor;
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
            rf *= std::pow(C[e.forward[n].species], std::abs(nu[e.forward[n].slot]));
        for (int n = 0; n < e.reverseCount; ++n) rr *= std::pow(C[e.reverse[n].species], nu[e.reverse[n].slot]);
        RF[e.reaction] = rf;
        RR[e.reaction] = rr;
    }

    for (const OrderEntry& e : t.orders) {
        double rf = RKF[e.reaction], rr = RKR[e.reaction];
        for (int32_t n = e.begin; n < e.end; ++n) {
            const OrderTerm& term = t.orderTerms[n];
            const double power = std::pow(C[term.species], rckwrk[term.value]);
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
