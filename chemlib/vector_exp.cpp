// exp(x) = 2^n exp(r): n the nearest integer to x/ln 2, r = x - n ln 2 in two parts (Cody and
// Waite) so that it is exact to rounding, exp(r) on |r| <= ln 2/2 from its Taylor series to the
// 13th power (truncation below 1e-17 relative), 2^n built in the exponent bits. The file is compiled
// without contraction into fused multiply-adds, so the AVX2 and the baseline versions round every
// operation alike and give the same bits.

#include "chemlib/vector_exp.h"
#include "chemlib/vector_dispatch.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace vantor::chem {
namespace {

typedef double Doubles __attribute__((vector_size(32)));
typedef int64_t Mask __attribute__((vector_size(32)));
typedef uint64_t Bits __attribute__((vector_size(32)));
constexpr int kLanes = 4;

constexpr double kLowest = -708.0;  // exp above the smallest normal double, 2^n with n >= -1022
constexpr double kHighest = 709.0;  // exp below the largest double, n <= 1023
constexpr double kLog2e = 1.4426950408889634;
// ln 2 split so that n x kLn2High is exact for every n of the range (its low 21 bits are zero).
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
// Adding 1.5 x 2^52 rounds to an integer (in the current, nearest rounding mode) and leaves that
// integer in the low bits of the sum.
constexpr double kShifter = 6755399441055744.0;

constexpr double InverseFactorial(int k) {
    double f = 1.0;
    for (int j = 2; j <= k; ++j) f *= j;
    return 1.0 / f;
}

// One vector of up to four values, the rest padded with 0; the arguments outside the range go
// to std::exp. (Pointers, not vectors, cross the function boundary: the vector calling convention
// differs between the versions.)
[[gnu::always_inline]] inline void Block(const double* in, double* out, int lanes) {
    Doubles x = {0.0, 0.0, 0.0, 0.0};
    std::memcpy(&x, in, sizeof(double) * lanes);
    const Doubles shifted = x * kLog2e + kShifter;
    const Doubles n = shifted - kShifter;
    const Doubles r = (x - n * kLn2High) - n * kLn2Low;
    // (1 + r) + r^2 ((1/2 + r/6) + r^2 tail(r)), tail the terms from r^4 on, in Estrin's form for a
    // short chain of dependent operations (the rounding of the high terms counts r^2 < 0.13 times
    // less than that of 1 + r).
    const Doubles r2 = r * r, r4 = r2 * r2;
    const Doubles a0 = r * InverseFactorial(5) + InverseFactorial(4);
    const Doubles a1 = r * InverseFactorial(7) + InverseFactorial(6);
    const Doubles a2 = r * InverseFactorial(9) + InverseFactorial(8);
    const Doubles a3 = r * InverseFactorial(11) + InverseFactorial(10);
    const Doubles a4 = r * InverseFactorial(13) + InverseFactorial(12);
    const Doubles tail = (a0 + a1 * r2) + r4 * ((a2 + a3 * r2) + r4 * a4);
    const Doubles p = (r + 1.0) + r2 * ((r * InverseFactorial(3) + 0.5) + r2 * tail);
    // The integer n sits in the low bits of `shifted`, offset by the shifter's own bits.
    const Bits exponent = ((Bits)shifted - std::bit_cast<uint64_t>(kShifter) + 1023) << 52;
    Doubles e = p * (Doubles)exponent;
    const Mask inside = (x >= kLowest) & (x <= kHighest);  // false for NaN
    if ((inside[0] & inside[1] & inside[2] & inside[3]) == 0) {
        for (int l = 0; l < lanes; ++l) {
            if (!inside[l]) e[l] = std::exp(x[l]);
        }
    }
    std::memcpy(out, &e, sizeof(double) * lanes);
}

}  // namespace

VANTOR_VECTOR_CLONES
void ExpArray(const double* x, double* y, int32_t count) {
    int32_t start = 0;
    for (; start + kLanes <= count; start += kLanes) Block(x + start, y + start, kLanes);
    if (start < count) Block(x + start, y + start, count - start);
}

}  // namespace vantor::chem
