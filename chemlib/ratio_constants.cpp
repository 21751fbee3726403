// Compiled without contraction into fused multiply-adds, so that every version rounds each
// operation alike.

#include "chemlib/ratio_constants.h"
#include "chemlib/vector_dispatch.h"

#include <algorithm>
#include <cstring>

namespace vantor::chem {
namespace {

typedef double Doubles __attribute__((vector_size(32)));
typedef int64_t Mask __attribute__((vector_size(32)));
constexpr int kLanes = 4;

}  // namespace

VANTOR_VECTOR_CLONES
void RatioConstants(const double* numerators, const double* denominators, const int32_t* reactions, double power,
                    double cap, double small, const double* RKF, double* EQK, double* RKR, int32_t count) {
    const Doubles caps = Doubles{} + cap, smalls = Doubles{} + small;  // broadcast
    int32_t n = 0;
    for (; n + kLanes <= count; n += kLanes) {
        Doubles a, b;
        std::memcpy(&a, numerators + n, sizeof a);
        std::memcpy(&b, denominators + n, sizeof b);
        const Doubles q = a / b;
        const Mask capped = cap < q;  // std::min(q, cap)
        const Doubles eqk = (Doubles)(((Mask)q & ~capped) | ((Mask)caps & capped)) * power;
        const Mask raised = eqk < small;  // std::max(eqk, small)
        const Doubles divisor = (Doubles)(((Mask)eqk & ~raised) | ((Mask)smalls & raised));
        const int32_t* r = reactions + n;
        const Doubles forward = {RKF[r[0]], RKF[r[1]], RKF[r[2]], RKF[r[3]]};
        const Doubles reverse = forward / divisor;
        for (int l = 0; l < kLanes; ++l) {
            EQK[r[l]] = eqk[l];
            RKR[r[l]] = reverse[l];
        }
    }
    for (; n < count; ++n) {
        const double eqk = std::min(numerators[n] / denominators[n], cap) * power;
        EQK[reactions[n]] = eqk;
        RKR[reactions[n]] = RKF[reactions[n]] / std::max(eqk, small);
    }
}

}  // namespace vantor::chem
