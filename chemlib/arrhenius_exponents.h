#pragma once
// The exponents b ln T - E/T of many Arrhenius expressions at once, four at a time where the
// processor has AVX2, two at a time otherwise, with the same bits on both and as the plain loop.

#include <cstdint>

#include "chemlib/reaction_tables.h"

namespace vantor::chem {

// x[n] = b[n] ln T - E[n]/T, or 0 where b[n] = E[n] = 0 (so that exp gives exactly 1 whatever
// ln T).
void ArrheniusExponents(const double* b, const double* E, double logT, double T, double* x, int32_t count);

// The same for the parameters (A, b, E) at rckwrk + entries[n].params in one pass, which also
// copies each A to A[n].
void ArrheniusExponentsAt(const double* rckwrk, const ParameterEntry* entries, double logT, double T, double* x,
                          double* A, int32_t count);

// RKF[i] = A of row i of the Arrhenius block (rows of `row` values A, b, E, ...) times
// factors[run[i]], the exponential of its group. Returns whether the b or E of any row differs in
// its bits from `atLoad` (the block as it was when the groups were formed): then the groups no
// longer hold.
bool GroupedRateConstants(const double* arrhenius, const double* atLoad, int64_t row, const int32_t* run,
                          const double* factors, double* RKF, int32_t II);

}  // namespace vantor::chem
