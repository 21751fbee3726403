#pragma once
// The decimal logarithm of a whole array at once, for the fall-off reactions' reduced pressures
// and broadening centres: four at a time where the processor has AVX2, two at a time otherwise,
// with the same bits on both.

#include <cstdint>

namespace vantor::chem {

// y[n] = log10(x[n]) for n < count, within two units in the last place of the correctly rounded
// value. Arguments that are not positive normal finite numbers (zero, negative, subnormal,
// infinite, NaN) are handed to std::log10, so they come out exactly as std::log10 gives them.
// x and y may be the same array.
void Log10Array(const double* x, double* y, int32_t count);

}  // namespace vantor::chem
