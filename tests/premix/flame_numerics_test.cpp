// The Jacobian's colouring and the block-tridiagonal solver against plain evaluations.

#include <cmath>
#include <random>
#include <vector>

#include "outside/premix/block_tridiagonal.h"
#include "outside/premix/flame_jacobian.h"
#include "outside/premix/flame_residual.h"
#include "outside/premix/initial_guess.h"
#include "premix_test_support.h"

namespace vantor::premix {
namespace {

// Off-diagonal-heavy diagonal blocks, so the LU pivots inside every block.
TEST(BlockTridiagonal, SolvesWhatTheBlocksMultiply) {
    const int n = 7, b = 6;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    BlockTridiagonal a;
    a.Resize(n, b);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < b * b; ++i) {
            a.Lower(j)[i] = j > 0 ? value(random) : 0.0;
            a.Upper(j)[i] = j + 1 < n ? value(random) : 0.0;
            a.Diagonal(j)[i] = value(random) + (i % (b + 1) == 1 ? 8.0 : 0.0);
        }
    std::vector<double> x(n * b), rhs(n * b, 0.0);
    for (double& v : x) v = value(random);
    for (int j = 0; j < n; ++j)
        for (int r = 0; r < b; ++r)
            for (int c = 0; c < b; ++c) {
                rhs[j * b + r] += a.Diagonal(j)[r * b + c] * x[j * b + c];
                if (j > 0) rhs[j * b + r] += a.Lower(j)[r * b + c] * x[(j - 1) * b + c];
                if (j + 1 < n) rhs[j * b + r] += a.Upper(j)[r * b + c] * x[(j + 1) * b + c];
            }
    ASSERT_TRUE(a.Factor());
    a.Solve(rhs);
    for (int i = 0; i < n * b; ++i) EXPECT_NEAR(rhs[i], x[i], 1e-12) << i;
}

// Every column of the coloured Jacobian equals a difference of the whole residual with one
// variable perturbed, with the energy equation on and off.
TEST(FlameJacobian, ColouringMatchesOneVariableAtATime) {
    auto& h2 = testing::Hydrogen();
    chem::Mechanism& mech = h2.mechanism;
    const int kk = mech.KK(), nv = kk + 2;
    std::vector<double> X(kk, 0.0), yu(kk);
    X[mech.SpeciesIndex("H2") - 1] = 0.3;
    X[mech.SpeciesIndex("O2") - 1] = 0.15;
    X[mech.SpeciesIndex("N2") - 1] = 0.55;
    mech.MoleToMassFractions(X.data(), yu.data());
    Products products;
    std::string error;
    ASSERT_TRUE(CompleteCombustion(mech, yu, 300.0, products, error)) << error;
    const InitialFlame start = StartingFlame(mech, yu, 300.0, products, 1.0, 0.02, 0.01);
    FlameResidual residual(mech, h2.transport, 1013250.0, 300.0, yu, false);
    residual.SetGrid(start.x, start.fixedPoint, start.fixedTemperature);
    for (bool energy : {false, true}) {
        if (energy) residual.SolveEnergy();
        else {
            std::vector<double> held;
            for (size_t j = 0; j < start.x.size(); ++j) held.push_back(start.u[j * nv]);
            residual.HoldTemperature(held, 0.02);
        }
        std::vector<double> u = start.u, f, g;
        residual.UpdateTransport(u);
        ASSERT_TRUE(residual.Evaluate(u, f)) << residual.Error();
        BlockTridiagonal jac;
        ASSERT_TRUE(FlameJacobian(residual, u, f, jac)) << residual.Error();
        const int n = residual.Points();
        for (int p = 0; p < n; ++p)
            for (int var = 0; var < nv; ++var) {
                std::vector<double> v = u;
                const double d = 1e-7 * std::abs(u[p * nv + var]) + (var == 0 ? 1e-4 : 1e-11);
                v[p * nv + var] += d;
                ASSERT_TRUE(residual.Evaluate(v, g));
                for (int i = std::max(0, p - 1); i <= std::min(n - 1, p + 1); ++i) {
                    const double* block = i == p ? jac.Diagonal(i) : (p < i ? jac.Lower(i) : jac.Upper(i));
                    for (int r = 0; r < nv; ++r) {
                        const double expected = (g[i * nv + r] - f[i * nv + r]) / d;
                        ASSERT_NEAR(block[r * nv + var], expected, 1e-6 * (1.0 + std::abs(expected)))
                            << "energy " << energy << " row " << i << "." << r << " column " << p << "." << var;
                    }
                }
            }
    }
}

}  // namespace
}  // namespace vantor::premix
