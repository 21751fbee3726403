// Rate constants from pressure tables. A reaction's table holds NPMAX entries (pressure, A, b, E
// in cal/mol); with m terms per pressure the entries form groups of m, the group's first entry
// names the pressure and the group's rate constant is the sum of its m terms. The exact and the
// bracketing pressures are found among the groups. Between two pressures the constant is
// interpolated linearly in ln P: in ln k when both group sums are positive, in ln(-k), keeping the
// sign, when both are negative (a duplicate's negative table), and in k itself when the two differ
// in sign or one is 0, where no logarithm exists and the result still runs continuously from one
// group's value to the other's.
// A reversible reaction without explicit reverse parameters takes its reverse constant from the
// table's forward constant and the equilibrium constant, as every other reversible reaction does;
// from the base Arrhenius line it would break the reaction's equilibrium.

#include <algorithm>
#include <cmath>
#include <ostream>

#include "chemlib/chemistry_library.h"
#include "chemlib/library_constants.h"
#include "common/fixed_format.h"

namespace vantor::chem {
namespace {

// The classic library's single-precision constants.
constexpr double kStateFloor = 0.019999999552965164;      // 0.02: lowest temperature, and the exact-pressure tolerance
constexpr double kCaloriesSingle = 4.179999828338623;     // 4.18
constexpr double kGasConstantSingle = 8.314510345458984;  // 8.31451
constexpr double kAboveFirst = 1.0000009536743164;        // 1.000001
constexpr double kRateLimit = 1.0000000150474662e+30;     // 1.0e30
constexpr double kPressureFloor = 1.0e-30;

class PressureTable {
public:
    PressureTable(const double* entries, int32_t npmax, int32_t terms, double T1)
        : entries_(entries), groups_(npmax / terms), terms_(terms), T1_(T1) {}

    int32_t Groups() const { return groups_; }
    double Pressure(int32_t g) const { return entries_[4 * int64_t(g) * terms_]; }

    // Sum of the group's m Arrhenius terms at T1.
    double RateConstant(int32_t g) const {
        double sum = 0.0;
        for (int32_t n = 0; n < terms_; ++n) {
            const double* e = entries_ + 4 * (int64_t(g) * terms_ + n);
            sum += e[1] * std::pow(T1_, e[2]) * std::exp(-(kCaloriesSingle * e[3]) / (kGasConstantSingle * T1_));
        }
        return sum;
    }

    double At(double P) const {
        for (int32_t g = 0; g < groups_; ++g) {
            if (std::abs(P - Pressure(g)) / P < kStateFloor) return RateConstant(g);
        }
        for (int32_t g = 0; g + 1 < groups_; ++g) {
            const double low = Pressure(g), high = Pressure(g + 1);
            if (low <= kPressureFloor || !(low <= P && P <= high)) continue;
            return Interpolate(RateConstant(g), RateConstant(g + 1), std::log(P) - std::log(low),
                               std::log(high) - std::log(low));
        }
        const double first = Pressure(0);
        int32_t last = 0;
        for (int32_t g = 0; g < groups_; ++g) {
            if (Pressure(g) > kAboveFirst * first) last = g;
        }
        if (P <= first) return RateConstant(0);
        if (P >= Pressure(last)) return RateConstant(last);
        return RateConstant(Nearest(P));
    }

private:
    // The bracketing groups' constants at ln P - ln P(low) = step, ln P(high) - ln P(low) = span.
    static double Interpolate(double low, double high, double step, double span) {
        if (low > 0.0 && high > 0.0) return LogInterpolate(low, high, step, span);
        if (low < 0.0 && high < 0.0) return -LogInterpolate(-low, -high, step, span);
        return low + (high - low) * step / span;
    }
    static double LogInterpolate(double low, double high, double step, double span) {
        const double logLow = std::log(low), logHigh = std::log(high);
        return std::exp(logLow + (logHigh - logLow) * step / span);
    }

    // A table not in ascending order may hold P inside its range without a bracketing pair: the
    // group whose pressure is nearest in ln P applies.
    int32_t Nearest(double P) const {
        int32_t best = 0;
        double bestDistance = INFINITY;
        for (int32_t g = 0; g < groups_; ++g) {
            if (Pressure(g) <= kPressureFloor) continue;
            const double distance = std::abs(std::log(Pressure(g) / P));
            if (distance < bestDistance) {
                bestDistance = distance;
                best = g;
            }
        }
        return best;
    }

    const double* entries_;
    int32_t groups_;
    int32_t terms_;
    double T1_;
};

}  // namespace

int32_t ChemistryLibrary::ApplyPressureTables(std::ostream& msg, double T1, double* rckwrk) const {
    const double P = CurrentPressure;
    if (P < kPressureFloor || T1 < kStateFloor) {
        msg << "Stop: pressure " << FormatFull(P) << " dyn/cm2 or temperature " << FormatFull(T1)
            << " K below what the rate constants allow (1.0E-30 dyn/cm2, 0.02 K)" << kLineEnd;
        return kRateStateRange;
    }
    if (tables_.pressureTables.empty()) return kRateOk;
    const int32_t npmax = pressureTableIndex_[0];
    double* RKF = rckwrk + layout_.rForwardConstants;
    double* RKR = rckwrk + layout_.rReverseConstants;
    const double* EQK = rckwrk + layout_.rReactionScratch[0];
    for (const PressureTableEntry& entry : tables_.pressureTables) {
        const PressureTable table(pressureTableData_.data() + 4 * int64_t(npmax) * entry.reaction, npmax, entry.terms,
                                  T1);
        const double k = table.At(P);
        if (k < -kRateLimit || k > kRateLimit) {
            msg << "Stop: the pressure table of reaction " << entry.reaction + 1 << " gives the rate constant "
                << FormatFull(k) << ", beyond 1.0E+30" << kLineEnd;
            return kRateTableOverflow;
        }
        RKF[entry.reaction] = k;
        if (entry.reverseFromEquilibrium) RKR[entry.reaction] = k / std::max(EQK[entry.reaction], kSmall);
    }
    return kRateOk;
}

}  // namespace vantor::chem
