// log10(x) = k log10(2) + log(m)/ln 10 with x = 2^k m, m in [sqrt(2)/2, sqrt(2)), and log(m) =
// log(1 + f) from s = f/(2 + f) as 2s + 2s^3/3 + ... with the minimax coefficients of the classic
// freely distributable math library (below 1 unit in the last place); log10(2) is split so that
// k times its high part is exact. The file is compiled without contraction into fused
// multiply-adds, so the AVX2 and the baseline versions round every operation alike and give the
// same bits.

#include "chemlib/vector_log.h"
#include "chemlib/vector_dispatch.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace vantor::chem {
namespace {

typedef double Doubles __attribute__((vector_size(32)));
typedef int64_t Integers __attribute__((vector_size(32)));
typedef uint64_t Bits __attribute__((vector_size(32)));
constexpr int kLanes = 4;

constexpr double kLg1 = 6.666666666666735130e-01;
constexpr double kLg2 = 3.999999999940941908e-01;
constexpr double kLg3 = 2.857142874366239149e-01;
constexpr double kLg4 = 2.222219843214978396e-01;
constexpr double kLg5 = 1.818357216161805012e-01;
constexpr double kLg6 = 1.531383769920937332e-01;
constexpr double kLg7 = 1.479819860511658591e-01;
constexpr double kInverseLn10 = 4.34294481903251816668e-01;
constexpr double kLog10Of2High = 3.01029995663611771306e-01;  // its low 13 bits are zero
constexpr double kLog10Of2Low = 3.69423907715893078616e-13;
// Subtracting the bits of sqrt(2)/2 leaves k in the exponent field: m = x/2^k in [sqrt(2)/2, sqrt(2)).
constexpr uint64_t kHalfSqrt2Bits = 0x3FE6A09E667F3BCDull;
// Adding 1.5 x 2^52 to the bits of a small integer gives a double that is that integer plus the
// shifter: an exact integer conversion without one instruction per lane.
constexpr double kShifter = 6755399441055744.0;

[[gnu::always_inline]] inline void Block(const double* in, double* out, int lanes) {
    Doubles x = {1.0, 1.0, 1.0, 1.0};
    std::memcpy(&x, in, sizeof(double) * lanes);
    const Integers inside = (x >= DBL_MIN) & (x <= DBL_MAX);  // false for NaN
    const Bits bits = (Bits)x;
    const Integers k = (Integers)(bits - kHalfSqrt2Bits) >> 52;
    const Doubles m = (Doubles)(bits - ((Bits)k << 52));
    const Doubles dk = (Doubles)((Bits)k + std::bit_cast<uint64_t>(kShifter)) - kShifter;
    const Doubles f = m - 1.0;
    const Doubles s = f / (f + 2.0);
    const Doubles z = s * s, w = z * z;
    const Doubles t1 = w * (kLg2 + w * (kLg4 + w * kLg6));
    const Doubles t2 = z * (kLg1 + w * (kLg3 + w * (kLg5 + w * kLg7)));
    const Doubles hfsq = 0.5 * f * f;
    const Doubles logm = f - (hfsq - s * (hfsq + (t2 + t1)));
    Doubles y = dk * kLog10Of2High + (dk * kLog10Of2Low + logm * kInverseLn10);
    if ((inside[0] & inside[1] & inside[2] & inside[3]) == 0) {
        for (int l = 0; l < lanes; ++l) {
            if (!inside[l]) y[l] = std::log10(x[l]);
        }
    }
    std::memcpy(out, &y, sizeof(double) * lanes);
}

}  // namespace

VANTOR_VECTOR_CLONES
void Log10Array(const double* x, double* y, int32_t count) {
    int32_t start = 0;
    for (; start + kLanes <= count; start += kLanes) Block(x + start, y + start, kLanes);
    if (start < count) Block(x + start, y + start, count - start);
}

}  // namespace vantor::chem
