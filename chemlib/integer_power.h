#pragma once
// Integer powers by repeated squaring, as Fortran evaluates x**n for an integer n: x**0 is 1 for
// every x, and a negative n gives 1/x**|n|.

#include <cstdint>

namespace vantor::chem {

inline double IntegerPower(double x, int64_t n) {
    if (n < 0) return 1.0 / IntegerPower(x, -n);
    double result = 1.0;
    while (n != 0) {
        if (n & 1) result *= x;
        n >>= 1;
        if (n != 0) x *= x;
    }
    return result;
}

// The common small powers without a loop.
inline double SmallPower(double x, int64_t n) {
    switch (n) {
        case -1: return 1.0 / x;
        case 0: return 1.0;
        case 1: return x;
        case 2: return x * x;
        case 3: return x * x * x;
        default: return IntegerPower(x, n);
    }
}

}  // namespace vantor::chem
