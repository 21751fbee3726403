#pragma once
// The equilibrium and reverse rate constants of the ratio-form reactions, four at a time where the
// processor has AVX2, two at a time otherwise, with the same bits on both and as the plain loop.

#include <cstdint>

namespace vantor::chem {

// For n < count, with i = reactions[n]: EQK[i] = min(numerators[n]/denominators[n], cap) x power
// and RKR[i] = RKF[i]/max(EQK[i], small), std::min and std::max as they treat NaN.
void RatioConstants(const double* numerators, const double* denominators, const int32_t* reactions, double power,
                    double cap, double small, const double* RKF, double* EQK, double* RKR, int32_t count);

}  // namespace vantor::chem
