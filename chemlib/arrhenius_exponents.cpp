// Compiled without contraction into fused multiply-adds, so that every version rounds the product,
// the quotient and the difference separately, as the plain loop does.

#include "chemlib/arrhenius_exponents.h"
#include "chemlib/vector_dispatch.h"

#include <bit>
#include <cstring>

namespace vantor::chem {
namespace {

typedef double Doubles __attribute__((vector_size(32)));
typedef int64_t Mask __attribute__((vector_size(32)));
typedef uint64_t Bits __attribute__((vector_size(32)));
constexpr int kLanes = 4;

// b ln T - E/T, +0.0 where b = E = 0. (A macro, not a function: the vector calling convention
// differs between the versions.)
#define VANTOR_EXPONENT(out, b, E)                       \
    do {                                                 \
        const Doubles v_ = (b) * logT - (E) / T;         \
        const Mask zero_ = ((b) == 0.0) & ((E) == 0.0);  \
        out = (Doubles)((Mask)v_ & ~zero_);              \
    } while (false)

}  // namespace

VANTOR_VECTOR_CLONES
void ArrheniusExponents(const double* b, const double* E, double logT, double T, double* x, int32_t count) {
    int32_t n = 0;
    for (; n + kLanes <= count; n += kLanes) {
        Doubles vb, vE;
        std::memcpy(&vb, b + n, sizeof vb);
        std::memcpy(&vE, E + n, sizeof vE);
        Doubles v;
        VANTOR_EXPONENT(v, vb, vE);
        std::memcpy(x + n, &v, sizeof v);
    }
    for (; n < count; ++n) {
        const double v = b[n] * logT - E[n] / T;
        x[n] = (b[n] == 0.0) & (E[n] == 0.0) ? 0.0 : v;
    }
}

VANTOR_VECTOR_CLONES
void ArrheniusExponentsAt(const double* rckwrk, const ParameterEntry* entries, double logT, double T, double* x,
                          double* A, int32_t count) {
    int32_t n = 0;
    for (; n + kLanes <= count; n += kLanes) {
        const double* p0 = rckwrk + entries[n].params;
        const double* p1 = rckwrk + entries[n + 1].params;
        const double* p2 = rckwrk + entries[n + 2].params;
        const double* p3 = rckwrk + entries[n + 3].params;
        const Doubles va = {p0[0], p1[0], p2[0], p3[0]};
        const Doubles vb = {p0[1], p1[1], p2[1], p3[1]};
        const Doubles vE = {p0[2], p1[2], p2[2], p3[2]};
        Doubles v;
        VANTOR_EXPONENT(v, vb, vE);
        std::memcpy(x + n, &v, sizeof v);
        std::memcpy(A + n, &va, sizeof va);
    }
    for (; n < count; ++n) {
        const double* p = rckwrk + entries[n].params;
        const double v = p[1] * logT - p[2] / T;
        x[n] = (p[1] == 0.0) & (p[2] == 0.0) ? 0.0 : v;
        A[n] = p[0];
    }
}

VANTOR_VECTOR_CLONES
bool GroupedRateConstants(const double* arrhenius, const double* atLoad, int64_t row, const int32_t* run,
                          const double* factors, double* RKF, int32_t II) {
    if (row == kLanes) {
        // One row per vector (A, b, E, perturbation factor), its b and E compared in one step.
        const Bits columns = {0, ~uint64_t(0), ~uint64_t(0), 0};
        Bits differ = {0, 0, 0, 0};
        for (int32_t i = 0; i < II; ++i) {
            Bits now, then;
            std::memcpy(&now, arrhenius + int64_t(i) * kLanes, sizeof now);
            std::memcpy(&then, atLoad + int64_t(i) * kLanes, sizeof then);
            differ |= (now ^ then) & columns;
            RKF[i] = arrhenius[int64_t(i) * kLanes] * factors[run[i]];
        }
        return (differ[1] | differ[2]) != 0;
    }
    uint64_t differ = 0;
    for (int32_t i = 0; i < II; ++i) {
        const double* p = arrhenius + i * row;
        const double* q = atLoad + i * row;
        differ |= (std::bit_cast<uint64_t>(p[1]) ^ std::bit_cast<uint64_t>(q[1])) |
                  (std::bit_cast<uint64_t>(p[2]) ^ std::bit_cast<uint64_t>(q[2]));
        RKF[i] = p[0] * factors[run[i]];
    }
    return differ != 0;
}

#undef VANTOR_EXPONENT

}  // namespace vantor::chem
