#include "outside/premix/block_tridiagonal.h"

#include <algorithm>
#include <cmath>

namespace vantor::premix {

void BlockTridiagonal::Resize(int blocks, int size) {
    n_ = blocks;
    b_ = size;
    const size_t total = static_cast<size_t>(blocks) * static_cast<size_t>(size * size);
    lower_.assign(total, 0.0);
    diag_.assign(total, 0.0);
    upper_.assign(total, 0.0);
    pivots_.assign(static_cast<size_t>(blocks * size), 0);
}

void BlockTridiagonal::Zero() {
    std::fill(lower_.begin(), lower_.end(), 0.0);
    std::fill(diag_.begin(), diag_.end(), 0.0);
    std::fill(upper_.begin(), upper_.end(), 0.0);
}

bool BlockTridiagonal::FactorBlock(double* a, int* piv) const {
    const int b = b_;
    for (int c = 0; c < b; ++c) {
        int p = c;
        double best = std::abs(a[c * b + c]);
        for (int r = c + 1; r < b; ++r)
            if (std::abs(a[r * b + c]) > best) best = std::abs(a[r * b + c]), p = r;
        if (!(best > 0.0) || !std::isfinite(best)) return false;
        piv[c] = p;
        if (p != c)
            for (int k = 0; k < b; ++k) std::swap(a[c * b + k], a[p * b + k]);
        const double inv = 1.0 / a[c * b + c];
        for (int r = c + 1; r < b; ++r) {
            const double l = a[r * b + c] * inv;
            a[r * b + c] = l;
            if (l == 0.0) continue;
            double* row = &a[r * b];
            const double* top = &a[c * b];
            for (int k = c + 1; k < b; ++k) row[k] -= l * top[k];
        }
    }
    return true;
}

// Row operations only, each over a whole row of the right-hand sides: the factors are read along
// their rows and the work runs over contiguous memory, which matters for the thousands of columns
// of big mechanisms. Per element the operations come in the same order as in a column-by-column
// substitution, so the results are the same to the last bit.
void BlockTridiagonal::SolveRows(const double* lu, const int* piv, double* m, int columns) const {
    const int b = b_;
    const auto w = static_cast<size_t>(columns);
    auto row = [&](int r) { return m + static_cast<size_t>(r) * w; };
    // The rows were swapped whole while factoring, so every swap comes before the substitution.
    for (int c = 0; c < b; ++c)
        if (piv[c] != c) std::swap_ranges(row(c), row(c) + w, row(piv[c]));
    if (w == 1) {
        for (int r = 1; r < b; ++r) {
            const double* l = &lu[static_cast<size_t>(r * b)];
            double v = m[r];
            for (int c = 0; c < r; ++c) v -= l[c] * m[c];
            m[r] = v;
        }
        for (int r = b - 1; r >= 0; --r) {
            const double* u = &lu[static_cast<size_t>(r * b)];
            double v = m[r];
            for (int c = r + 1; c < b; ++c) v -= u[c] * m[c];
            m[r] = v / u[r];
        }
        return;
    }
    for (int r = 1; r < b; ++r) {
        double* target = row(r);
        const double* l = &lu[static_cast<size_t>(r * b)];
        for (int c = 0; c < r; ++c) {
            const double f = l[c];
            if (f == 0.0) continue;
            const double* source = row(c);
            for (size_t k = 0; k < w; ++k) target[k] -= f * source[k];
        }
    }
    for (int r = b - 1; r >= 0; --r) {
        double* target = row(r);
        const double* u = &lu[static_cast<size_t>(r * b)];
        for (int c = r + 1; c < b; ++c) {
            const double f = u[c];
            if (f == 0.0) continue;
            const double* source = row(c);
            for (size_t k = 0; k < w; ++k) target[k] -= f * source[k];
        }
        for (size_t k = 0; k < w; ++k) target[k] /= u[r];
    }
}

// After factoring: diag_ holds the LU of the reduced diagonal blocks, upper_ holds
// G_j = D_j^-1 C_j, and lower_ keeps A_j.
bool BlockTridiagonal::Factor() {
    const int b = b_;
    for (int j = 0; j < n_; ++j) {
        double* d = Diagonal(j);
        if (j > 0) {
            // D_j -= A_j G_{j-1}
            const double* a = Lower(j);
            const double* g = Upper(j - 1);
            for (int r = 0; r < b; ++r)
                for (int k = 0; k < b; ++k) {
                    const double l = a[r * b + k];
                    if (l == 0.0) continue;
                    const double* grow = &g[static_cast<size_t>(k * b)];
                    double* drow = &d[static_cast<size_t>(r * b)];
                    for (int c = 0; c < b; ++c) drow[c] -= l * grow[c];
                }
        }
        int* piv = &pivots_[static_cast<size_t>(j * b)];
        if (!FactorBlock(d, piv)) return false;
        if (j + 1 < n_) SolveRows(d, piv, Upper(j), b);
    }
    return true;
}

void BlockTridiagonal::Solve(std::vector<double>& x) const {
    const int b = b_;
    for (int j = 0; j < n_; ++j) {
        double* xj = &x[static_cast<size_t>(j * b)];
        if (j > 0) {
            const double* a = &lower_[Offset(j)];
            const double* xp = xj - b;
            for (int r = 0; r < b; ++r) {
                double v = 0.0;
                for (int k = 0; k < b; ++k) v += a[r * b + k] * xp[k];
                xj[r] -= v;
            }
        }
        SolveRows(&diag_[Offset(j)], &pivots_[static_cast<size_t>(j * b)], xj, 1);
    }
    for (int j = n_ - 2; j >= 0; --j) {
        double* xj = &x[static_cast<size_t>(j * b)];
        const double* g = &upper_[Offset(j)];
        const double* xn = xj + b;
        for (int r = 0; r < b; ++r) {
            double v = 0.0;
            for (int k = 0; k < b; ++k) v += g[r * b + k] * xn[k];
            xj[r] -= v;
        }
    }
}

}  // namespace vantor::premix
