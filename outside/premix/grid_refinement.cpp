#include "outside/premix/grid_refinement.h"

#include <algorithm>
#include <cmath>

namespace vantor::premix {
namespace {

// Mass fractions that never vary more than this are left out: their shape does not matter.
constexpr double kNegligibleRange = 1e-8;

}  // namespace

RefinedGrid RefineGrid(const std::vector<double>& x, const std::vector<double>& u, int nv, int fixedPoint,
                       double slope, double curvature, int maxPoints) {
    const int n = static_cast<int>(x.size());
    std::vector<char> mark(static_cast<size_t>(std::max(0, n - 1)), 0);
    std::vector<double> d(static_cast<size_t>(std::max(0, n - 1)));
    auto value = [&](int j, int c) { return u[static_cast<size_t>(j * nv + c)]; };
    for (int c = 0; c + 1 < nv; ++c) {
        double lo = value(0, c), hi = lo;
        for (int j = 1; j < n; ++j) lo = std::min(lo, value(j, c)), hi = std::max(hi, value(j, c));
        const double range = hi - lo;
        if (range <= (c == 0 ? 1e-6 : kNegligibleRange)) continue;
        for (int j = 0; j + 1 < n; ++j) {
            const double change = value(j + 1, c) - value(j, c);
            if (std::abs(change) > slope * range) mark[static_cast<size_t>(j)] = 1;
            d[static_cast<size_t>(j)] = change / (x[static_cast<size_t>(j + 1)] - x[static_cast<size_t>(j)]);
        }
        const auto [dlo, dhi] = std::minmax_element(d.begin(), d.end());
        const double drange = *dhi - *dlo;
        if (drange <= 0.0) continue;
        for (int j = 1; j + 1 < n; ++j)
            if (std::abs(d[static_cast<size_t>(j)] - d[static_cast<size_t>(j - 1)]) > curvature * drange)
                mark[static_cast<size_t>(j - 1)] = mark[static_cast<size_t>(j)] = 1;
    }
    RefinedGrid out;
    int room = maxPoints - n;
    for (int j = 0; j < n; ++j) {
        if (j == fixedPoint) out.fixedPoint = static_cast<int>(out.x.size());
        out.x.push_back(x[static_cast<size_t>(j)]);
        for (int c = 0; c < nv; ++c) out.u.push_back(value(j, c));
        if (j + 1 < n && mark[static_cast<size_t>(j)] && room <= 0) out.limited = true;
        if (j + 1 < n && mark[static_cast<size_t>(j)] && room > 0) {
            out.x.push_back(0.5 * (x[static_cast<size_t>(j)] + x[static_cast<size_t>(j + 1)]));
            for (int c = 0; c < nv; ++c) out.u.push_back(0.5 * (value(j, c) + value(j + 1, c)));
            ++out.added;
            --room;
        }
    }
    return out;
}

}  // namespace vantor::premix
