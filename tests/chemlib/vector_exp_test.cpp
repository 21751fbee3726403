// The array exponential against std::exp: within two units in the last place over the whole
// range, exactly std::exp's values (infinities, zeros, subnormals, NaN) outside it, any length,
// in place.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chemlib/vector_exp.h"

using vantor::chem::ExpArray;

namespace {

// Distance in units in the last place of b.
double Ulps(double a, double b) { return std::abs(a - b) / (std::nextafter(b, INFINITY) - b); }

TEST(ExpArray, WithinTwoUlpsAndStdExpOutsideTheRange) {
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> wide(-760.0, 720.0), narrow(-1.0, 1.0);
    std::vector<double> x;
    for (int n = 0; n < 200000; ++n) x.push_back(n % 2 ? wide(random) : narrow(random));
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {0.0, -0.0, 1e-300, -1e-300, 0.34657359027997264, -0.34657359027997264, 708.0, 709.0,
                           -708.0, 709.5, 709.78, 709.79, -744.0, -745.2, -746.0, inf, -inf,
                           std::numeric_limits<double>::quiet_NaN()}) {
        x.push_back(v);
    }
    std::vector<double> y(x.size());
    ExpArray(x.data(), y.data(), static_cast<int32_t>(x.size()));
    double worst = 0.0;
    for (size_t n = 0; n < x.size(); ++n) {
        const double expected = std::exp(x[n]);
        if (x[n] >= -708.0 && x[n] <= 709.0) {
            worst = std::max(worst, Ulps(y[n], expected));
        } else if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(y[n])) << x[n];
        } else {
            EXPECT_EQ(y[n], expected) << x[n];
        }
    }
    EXPECT_LE(worst, 2.0);
    EXPECT_EQ(y[200000], 1.0);  // exp(0), so b = E = 0 leaves A exactly
    EXPECT_EQ(y[200001], 1.0);

    // Lengths that leave a partial block, and the result written over the arguments.
    for (int32_t count : {0, 1, 3, 5, 7}) {
        std::vector<double> in(x.begin(), x.begin() + count), inPlace = in;
        std::vector<double> out(count + 1, -1.0);
        ExpArray(in.data(), out.data(), count);
        ExpArray(inPlace.data(), inPlace.data(), count);
        for (int32_t n = 0; n < count; ++n) {
            EXPECT_EQ(out[n], y[n]);
            EXPECT_EQ(inPlace[n], y[n]);
        }
        EXPECT_EQ(out[count], -1.0) << "nothing written past the end";
    }
}

}  // namespace
