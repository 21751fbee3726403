#pragma once
// The exponential of a whole array at once, for the many exponentials of one rate evaluation
// (Arrhenius factors, per-species Gibbs functions): four at a time where the processor has AVX2,
// two at a time otherwise, with the same bits on both.

#include <cstdint>

namespace vantor::chem {

// y[n] = exp(x[n]) for n < count, within two units in the last place of the correctly rounded
// value. Arguments outside [-708, 709] (where the result nears overflow or leaves the normal
// range) and NaN are handed to std::exp, so infinities, zeros, subnormals and NaN come out exactly
// as std::exp gives them. x and y may be the same array.
void ExpArray(const double* x, double* y, int32_t count);

}  // namespace vantor::chem
