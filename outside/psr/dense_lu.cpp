#include "outside/psr/dense_lu.h"

#include <cmath>
#include <utility>

namespace vantor::psr {

bool DenseLu::Factor(const std::vector<double>& a, int n) {
    n_ = n;
    lu_ = a;
    pivot_.assign(static_cast<size_t>(n), 0);
    const auto at = [&](int i, int j) -> double& { return lu_[static_cast<size_t>(i) * n + j]; };
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i) {
            if (std::fabs(at(i, k)) > std::fabs(at(p, k))) p = i;
        }
        pivot_[static_cast<size_t>(k)] = p;
        if (!(std::fabs(at(p, k)) > 0.0) || !std::isfinite(at(p, k))) return false;
        if (p != k) {
            for (int j = 0; j < n; ++j) std::swap(at(k, j), at(p, j));
        }
        const double inverse = 1.0 / at(k, k);
        for (int i = k + 1; i < n; ++i) {
            const double factor = at(i, k) * inverse;
            at(i, k) = factor;
            if (factor == 0.0) continue;
            const double* rowK = &at(k, 0);
            double* rowI = &at(i, 0);
            for (int j = k + 1; j < n; ++j) rowI[j] -= factor * rowK[j];
        }
    }
    return true;
}

void DenseLu::Solve(double* b) const {
    const int n = n_;
    // The rows were swapped whole, multipliers included: all swaps first, then L.
    for (int k = 0; k < n; ++k) std::swap(b[k], b[pivot_[static_cast<size_t>(k)]]);
    for (int i = 1; i < n; ++i) {
        double sum = b[i];
        for (int j = 0; j < i; ++j) sum -= lu_[static_cast<size_t>(i) * n + j] * b[j];
        b[i] = sum;
    }
    for (int i = n - 1; i >= 0; --i) {
        double sum = b[i];
        for (int j = i + 1; j < n; ++j) sum -= lu_[static_cast<size_t>(i) * n + j] * b[j];
        b[i] = sum / lu_[static_cast<size_t>(i) * n + i];
    }
}

}  // namespace vantor::psr
