// The array decimal logarithm against std::log10: within two units in the last place over the
// positive normal numbers, exactly std::log10's values for zero, negative, subnormal, infinite and
// NaN arguments, any length, in place.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chemlib/vector_log.h"

using vantor::chem::Log10Array;

namespace {

double Ulps(double a, double b) {
    const double size = std::abs(b);
    return std::abs(a - b) / (std::nextafter(size, INFINITY) - size);
}

TEST(Log10Array, WithinTwoUlpsAndStdLog10ElsewhereAnyLength) {
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> decades(-307.0, 308.0), nearOne(0.5, 2.0);
    std::vector<double> x;
    for (int n = 0; n < 200000; ++n) x.push_back(n % 2 ? std::pow(10.0, decades(random)) : nearOne(random));
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {1.0, 10.0, 1e-300, DBL_MIN, DBL_MAX, std::sqrt(0.5), std::sqrt(2.0), 0.0, -0.0, -1.0,
                           1e-310, inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        x.push_back(v);
    }
    std::vector<double> y(x.size());
    Log10Array(x.data(), y.data(), static_cast<int32_t>(x.size()));
    double worst = 0.0;
    for (size_t n = 0; n < x.size(); ++n) {
        const double expected = std::log10(x[n]);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(y[n])) << x[n];
        } else if (x[n] >= DBL_MIN && x[n] <= DBL_MAX) {
            worst = std::max(worst, Ulps(y[n], expected));
        } else {
            EXPECT_EQ(y[n], expected) << x[n];
        }
    }
    EXPECT_LE(worst, 2.0);
    EXPECT_EQ(y[200000], 0.0);  // log10(1)

    for (int32_t count : {0, 1, 3, 5, 7}) {
        std::vector<double> in(x.end() - count, x.end()), inPlace = in;
        std::vector<double> out(count + 1, -1.0);
        Log10Array(in.data(), out.data(), count);
        Log10Array(inPlace.data(), inPlace.data(), count);
        for (int32_t n = 0; n < count; ++n) {
            const double expected = y[x.size() - count + n];
            EXPECT_TRUE(out[n] == expected || (std::isnan(out[n]) && std::isnan(expected)));
            EXPECT_TRUE(inPlace[n] == expected || (std::isnan(inPlace[n]) && std::isnan(expected)));
        }
        EXPECT_EQ(out[count], -1.0) << "nothing written past the end";
    }
}

}  // namespace
