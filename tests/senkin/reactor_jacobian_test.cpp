#include <gtest/gtest.h>

#include <cmath>

#include "outside/senkin/constant_pressure_reactor.h"
#include "outside/senkin/ignition_integrator.h"
#include "outside/senkin/reactor_jacobian.h"
#include "senkin_test_support.h"

using namespace vantor;
using namespace vantor::senkin;
using namespace vantor::senkin::testing;

namespace {

// A state in the middle of the methane ignition at 1 atm, 1200 K: radicals present, T rising.
std::vector<double> MidIgnitionState(chem::Mechanism& gri, ConstantPressureReactor& reactor, ReactorJacobian& jac) {
    std::vector<double> X(static_cast<size_t>(gri.KK()), 0.0);
    X[static_cast<size_t>(gri.SpeciesIndex("CH4") - 1)] = 1.0 / 3.0;
    X[static_cast<size_t>(gri.SpeciesIndex("O2") - 1)] = 2.0 / 3.0;
    std::vector<double> y(static_cast<size_t>(reactor.Size()));
    reactor.InitialState(X, 1200.0, y.data());
    Trajectory trajectory(reactor.Size(), reactor.TemperatureIndex());
    RunLimits limits;
    limits.mode = EndTimeMode::Seconds;
    limits.endTime = 0.0093;  // just before the ignition delay of 9.37 ms
    const auto outcome = IntegrateIgnition(reactor, jac, y.data(), limits, IntegratorSettings{}, trajectory);
    EXPECT_TRUE(outcome.ok) << outcome.error;
    trajectory.StateAt(limits.endTime, y.data());
    return y;
}

double Norm(const std::vector<double>& v) {
    double s = 0.0;
    for (const double x : v) s += x * x;
    return std::sqrt(s);
}

}  // namespace

// The species rows leave out how a mass fraction moves every concentration through the density
// and how it changes the third-body concentration. The density part is what a change of pressure
// does, so it is taken out of the differences; the third-body part is tiny for most species present
// in traces, so their columns must then match central differences closely. The temperature row
// leaves out only the third bodies, and the temperature column nothing.
TEST(ReactorJacobian, MatchesFiniteDifferencesWhereTheApproximationIsExact) {
    chem::Mechanism gri = LoadGri();
    ASSERT_GT(gri.KK(), 0);
    ConstantPressureReactor reactor(gri, chem::kAtmosphere);
    ReactorJacobian jac(gri);
    const std::vector<double> y = MidIgnitionState(gri, reactor, jac);
    const size_t n = static_cast<size_t>(reactor.Size());
    std::vector<double> f(n), fPlus(n), fMinus(n), values(static_cast<size_t>(jac.NonZeros()));
    ASSERT_TRUE(reactor.Derivatives(y.data(), f.data()));
    ASSERT_TRUE(jac.Fill(reactor, y.data(), f.data(), values.data()));
    EXPECT_EQ(jac.ColumnStarts().size(), n + 1);

    const auto column = [&](size_t j) {
        std::vector<double> dense(n, 0.0);
        for (int64_t e = jac.ColumnStarts()[j]; e < jac.ColumnStarts()[j + 1]; ++e) {
            dense[static_cast<size_t>(jac.Rows()[static_cast<size_t>(e)])] = values[static_cast<size_t>(e)];
        }
        return dense;
    };
    const auto difference = [&](size_t j) {
        std::vector<double> plus = y, minus = y;
        const double h = j + 1 == n ? 1e-5 * y[j] : 1e-2 * y[j];  // rates are near linear in one concentration
        plus[j] += h;
        minus[j] -= h;
        EXPECT_TRUE(reactor.Derivatives(plus.data(), fPlus.data()));
        EXPECT_TRUE(reactor.Derivatives(minus.data(), fMinus.data()));
        std::vector<double> d(n);
        for (size_t k = 0; k < n; ++k) d[k] = (fPlus[k] - fMinus[k]) / (2.0 * h);
        return d;
    };
    // How the derivatives scale with the density at fixed composition and temperature.
    std::vector<double> scaling(n);
    {
        ConstantPressureReactor up(gri, chem::kAtmosphere * 1.001), down(gri, chem::kAtmosphere * 0.999);
        ASSERT_TRUE(up.Derivatives(y.data(), fPlus.data()));
        ASSERT_TRUE(down.Derivatives(y.data(), fMinus.data()));
        for (size_t k = 0; k < n; ++k) scaling[k] = (fPlus[k] - fMinus[k]) / 0.002;
    }
    double moles = 0.0;
    for (size_t k = 0; k + 1 < n; ++k) moles += y[k] / gri.MolecularWeight(static_cast<int32_t>(k) + 1);

    // Relative errors of the species rows (as one vector) and of the temperature row.
    const auto errors = [&](size_t j) {
        auto a = column(j), d = difference(j);
        const double densityShare = 1.0 / (moles * gri.MolecularWeight(static_cast<int32_t>(j) + 1));
        for (size_t k = 0; k + 1 < n; ++k) d[k] += densityShare * scaling[k];
        const double temperature = std::fabs(a[n - 1] - d[n - 1]) / std::fabs(d[n - 1]);
        a.pop_back();
        d.pop_back();
        std::vector<double> diff(n - 1);
        for (size_t k = 0; k + 1 < n; ++k) diff[k] = a[k] - d[k];
        return std::make_pair(Norm(diff) / Norm(d), temperature);
    };

    const auto a = column(n - 1), d = difference(n - 1);
    std::vector<double> diff(n);
    for (size_t k = 0; k < n; ++k) diff[k] = a[k] - d[k];
    EXPECT_LT(Norm(diff) / Norm(d), 1e-4) << "temperature column";
    int traces = 0, closeSpecies = 0, closeTemperature = 0;
    for (size_t j = 0; j + 1 < n; ++j) {
        if (y[j] < 1e-10 || y[j] > 1e-5) continue;
        ++traces;
        const auto [species, temperature] = errors(j);
        const std::string name = gri.SpeciesName(static_cast<int32_t>(j) + 1);
        closeSpecies += species < 1e-3;
        closeTemperature += temperature < 1e-3;
        EXPECT_LT(species, 0.5) << name;
        EXPECT_LT(temperature, 0.5) << name;
    }
    EXPECT_GE(traces, 10);
    // A species whose own reactions are slow still feels the third bodies: allow a quarter.
    EXPECT_GE(closeSpecies, traces * 3 / 4);
    EXPECT_GE(closeTemperature, traces * 3 / 4);
}
