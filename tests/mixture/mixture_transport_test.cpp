#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gri_fixture.h"
#include "outside/mixture/collision_ratios.h"
#include "outside/mixture/mixture_transport.h"

using namespace vantor;
using vantor::testing_gri::Gri;

namespace {

class GriMixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Gri().ready);
        std::string error;
        ASSERT_TRUE(transport_.Bind(Gri().mechanism, Gri().fits, error)) << error;
    }
    std::vector<double> Mixture(std::initializer_list<std::pair<const char*, double>> parts) const {
        std::vector<double> x(static_cast<size_t>(Gri().mechanism.KK()), 0.0);
        for (const auto& [name, value] : parts) x[Index(name)] = value;
        return x;
    }
    static size_t Index(const char* name) { return static_cast<size_t>(Gri().mechanism.SpeciesIndex(name) - 1); }

    mixture::MixtureTransport transport_;
};

constexpr double kAtm = 1013250.0;

}  // namespace

TEST_F(GriMixture, AirAndHydrogenInNitrogenMatchMeasuredValues) {
    const auto air = Mixture({{"O2", 0.21}, {"N2", 0.79}});
    // Air at 300 K: 1.85e-4 g/(cm s) and 2.63e-2 W/(m K) (Kadoya et al. 1985).
    EXPECT_NEAR(transport_.Viscosity(300.0, air.data()) / 1.85e-4, 1.0, 0.03);
    EXPECT_NEAR(transport_.Conductivity(300.0, air.data()) / 2.63e3, 1.0, 0.03);
    // A trace of H2 in N2 diffuses with the binary coefficient, 0.78 cm2/s at 300 K and 1 atm.
    auto n2 = Mixture({{"N2", 1.0}});
    std::vector<double> d(n2.size());
    transport_.DiffusionCoefficients(300.0, kAtm, n2.data(), d.data());
    EXPECT_NEAR(d[Index("H2")] / 0.78, 1.0, 0.05);
    for (double v : d) EXPECT_TRUE(std::isfinite(v) && v > 0.0);
    // The pure species itself: finite, and a weighted mean of its binary coefficients.
    EXPECT_GT(d[Index("N2")], 0.1);
    EXPECT_LT(d[Index("N2")], 1.0);
    // D scales as 1/P; the same results at a repeated temperature from the cached values.
    std::vector<double> high(n2.size());
    transport_.DiffusionCoefficients(300.0, 2.0 * kAtm, n2.data(), high.data());
    EXPECT_DOUBLE_EQ(high[Index("H2")], 0.5 * d[Index("H2")]);
}

TEST_F(GriMixture, MixtureValuesAreSmoothInTheComposition) {
    // A trace of CH4 in N2 down to below the floor and to zero: its D_km settles smoothly, and
    // every coefficient stays finite, the nearly pure N2's included.
    std::vector<double> d(static_cast<size_t>(transport_.SpeciesCount()));
    double previous = 0.0;
    for (double trace : {1e-3, 1e-6, 1e-9, 1e-13, 0.0}) {
        const auto x = Mixture({{"N2", 1.0 - trace}, {"CH4", trace}});
        transport_.DiffusionCoefficients(1500.0, kAtm, x.data(), d.data());
        if (previous > 0.0) {
            EXPECT_NEAR(d[Index("CH4")] / previous, 1.0, 2e-3);
        }
        previous = d[Index("CH4")];
        for (double v : d) EXPECT_TRUE(std::isfinite(v) && v > 0.0);
    }
    // Scaling all mole fractions changes nothing beyond the floor's share; a pure species has its own viscosity.
    const auto x = Mixture({{"CH4", 0.095}, {"O2", 0.19}, {"N2", 0.715}});
    auto doubled = x;
    for (auto& v : doubled) v *= 2.0;
    EXPECT_NEAR(transport_.Viscosity(1200.0, doubled.data()) / transport_.Viscosity(1200.0, x.data()), 1.0, 1e-9);
    EXPECT_NEAR(transport_.Conductivity(1200.0, doubled.data()) / transport_.Conductivity(1200.0, x.data()), 1.0, 1e-9);
    std::vector<double> mu(d.size());
    transport_.SpeciesViscosities(300.0, mu.data());
    const auto n2 = Mixture({{"N2", 1.0}});
    EXPECT_NEAR(transport_.Viscosity(300.0, n2.data()) / mu[Index("N2")], 1.0, 1e-9);
}

TEST_F(GriMixture, ThermalDiffusionDrivesLightSpeciesToTheHotSide) {
    EXPECT_EQ(transport_.LightSpecies(), (std::vector<int>{static_cast<int>(Index("H2")), static_cast<int>(Index("H"))}));
    const auto x = Mixture({{"H2", 0.01}, {"N2", 0.99}});
    std::vector<double> theta(x.size());
    transport_.ThermalDiffusionRatios(1000.0, x.data(), theta.data());
    // A trace of H2 in N2: the fitted theta_kj against the ratios at the pair's T* (eps/k from
    // the fits' parameters), and a thermal diffusion factor near the measured 0.3-0.4.
    const auto& fits = Gri().fits;
    const double wH2 = fits.weights[Index("H2")], wN2 = fits.weights[Index("N2")];
    const double eps = std::sqrt(fits.parameters[Index("H2")].wellDepth * fits.parameters[Index("N2")].wellDepth);
    const double expected = mixture::ThermalDiffusionFactor(mixture::ReducedCollisionRatios(1000.0 / eps, 0.0)) *
                            (wH2 - wN2) / (wH2 + wN2) * x[Index("N2")];
    const double alpha = theta[Index("H2")] / x[Index("H2")];
    EXPECT_NEAR(alpha / expected, 1.0, 0.01);
    EXPECT_GT(-alpha, 0.3);
    EXPECT_LT(-alpha, 0.55);
    for (size_t k = 0; k < theta.size(); ++k) {
        if (k != Index("H2") && k != Index("H")) {
            EXPECT_EQ(theta[k], 0.0);
        }
    }
    // The collision integral ratios approach those of the r^-12 repulsion at high T*.
    const auto hot = mixture::ReducedCollisionRatios(90.0, 0.0);
    EXPECT_NEAR(hot.c, 1.0 - 1.0 / 18.0, 0.01);
    EXPECT_NEAR(hot.b, (1.0 - 1.0 / 18.0) * 7.0 / 6.0, 0.02);
}

TEST(MixtureTransportBind, NamesTheSpeciesThatDoesNotMatch) {
    ASSERT_TRUE(Gri().ready);
    mixture::MixtureTransport transport;
    std::string error;
    auto fits = Gri().fits;
    std::swap(fits.names[3], fits.names[4]);
    EXPECT_FALSE(transport.Bind(Gri().mechanism, fits, error));
    EXPECT_EQ(error, "species 4 O2: the transport fits list it in another place (OH here)");
    fits = Gri().fits;
    fits.names[10] = "XYZ";
    EXPECT_FALSE(transport.Bind(Gri().mechanism, fits, error));
    EXPECT_EQ(error, "species 11 CH2: no transport fits for it (XYZ in its place)");
    fits.names.pop_back();
    EXPECT_FALSE(transport.Bind(Gri().mechanism, fits, error));
    EXPECT_EQ(error, "the transport fits hold 52 species, the mechanism 53");
    EXPECT_EQ(transport.SpeciesCount(), 0);
}
