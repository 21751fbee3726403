#include "outside/premix/flame_jacobian.h"

#include <cmath>

namespace vantor::premix {

bool FlameJacobian(FlameResidual& residual, const std::vector<double>& u, const std::vector<double>& f,
                   BlockTridiagonal& jacobian) {
    const int n = residual.Points(), nv = residual.BlockSize();
    jacobian.Resize(n, nv);
    const std::vector<PointSource>& base = residual.BaseSources();
    std::vector<PointSource> perturbed(static_cast<size_t>(n));
    std::vector<const PointSource*> sources(static_cast<size_t>(n));
    std::vector<double> v = u, g, delta(static_cast<size_t>(n));
    for (int colour = 0; colour < 3; ++colour) {
        for (int var = 0; var < nv; ++var) {
            for (int j = 0; j < n; ++j) sources[static_cast<size_t>(j)] = &base[static_cast<size_t>(j)];
            for (int j = colour; j < n; j += 3) {
                const size_t i = static_cast<size_t>(j * nv + var);
                const double d = 1e-7 * std::abs(u[i]) + (var == 0 ? 1e-4 : 1e-11);
                delta[static_cast<size_t>(j)] = d;
                v[i] = u[i] + d;
                if (!residual.Source(v, j, perturbed[static_cast<size_t>(j)])) return false;
                sources[static_cast<size_t>(j)] = &perturbed[static_cast<size_t>(j)];
            }
            residual.Assemble(v, sources, g);
            for (int j = colour; j < n; j += 3) v[static_cast<size_t>(j * nv + var)] = u[static_cast<size_t>(j * nv + var)];
            // Rows i = p-1, p, p+1 of every perturbed point p.
            for (int i = 0; i < n; ++i) {
                const int p = i + ((colour - i % 3) + 4) % 3 - 1;  // the perturbed point among i-1, i, i+1
                if (p < 0 || p >= n || p % 3 != colour) continue;
                double* block = p == i ? jacobian.Diagonal(i) : (p < i ? jacobian.Lower(i) : jacobian.Upper(i));
                const double inv = 1.0 / delta[static_cast<size_t>(p)];
                const size_t row = static_cast<size_t>(i * nv);
                for (int r = 0; r < nv; ++r)
                    block[r * nv + var] = (g[row + static_cast<size_t>(r)] - f[row + static_cast<size_t>(r)]) * inv;
            }
        }
    }
    return true;
}

}  // namespace vantor::premix
