#include "outside/premix/cold_boundary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>

namespace vantor::premix {
namespace {

// The inlet's conductive loss is about this share of the flame's enthalpy rise times a factor of
// order one; a loss of 1e-4 moves the speed by well under 0.1 %.
constexpr double kFlatInlet = 1e-4;
// Spacing of the new points, as fractions of the added length.
constexpr double kNewPoints[] = {0.0, 0.4, 0.7, 0.85};

double InletGradientShare(const std::vector<double>& x, const std::vector<double>& u, int blockSize) {
    const size_t n = x.size(), nv = static_cast<size_t>(blockSize);
    if (n < 2) return 0.0;
    double steepest = 0.0;
    for (size_t j = 0; j + 1 < n; ++j)
        steepest = std::max(steepest, std::abs(u[(j + 1) * nv] - u[j * nv]) / (x[j + 1] - x[j]));
    if (!(steepest > 0.0)) return 0.0;
    return std::abs(u[nv] - u[0]) / (x[1] - x[0]) / steepest;
}

}  // namespace

bool InletTooSteep(const std::vector<double>& x, const std::vector<double>& u, int blockSize) {
    return InletGradientShare(x, u, blockSize) > kFlatInlet;
}

void WidenColdSide(std::vector<double>& x, std::vector<double>& u, int blockSize, int& fixedPoint) {
    const size_t nv = static_cast<size_t>(blockSize);
    const double added = x[static_cast<size_t>(fixedPoint)] - x[0];
    const std::vector<double> inlet(u.begin(), u.begin() + static_cast<std::ptrdiff_t>(nv));
    std::vector<double> nx, nu;
    for (double s : kNewPoints) {
        nx.push_back(x[0] + s * added);
        nu.insert(nu.end(), inlet.begin(), inlet.end());
    }
    for (double v : x) nx.push_back(v + added);
    nu.insert(nu.end(), u.begin(), u.end());
    fixedPoint += static_cast<int>(std::size(kNewPoints));
    x = std::move(nx);
    u = std::move(nu);
}

}  // namespace vantor::premix
