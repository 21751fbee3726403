#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "outside/pellor/diffusion_fits.h"
#include "outside/pellor/log_polynomial_fit.h"
#include "outside/pellor/species_transport.h"

using namespace vantor::pellor;

namespace {

SpeciesTransport Species(int geometry, double eps, double sigma, double dipole, double polar, double zrot,
                         double weight) {
    SpeciesTransport s;
    s.parameters = {"X", geometry, eps, sigma, dipole, polar, zrot, 1};
    s.molecularWeight = weight;
    return s;
}

const SpeciesTransport kNitrogen = Species(1, 97.53, 3.621, 0.0, 1.76, 4.0, 28.014);
const SpeciesTransport kHydrogen = Species(1, 38.0, 2.92, 0.0, 0.79, 280.0, 2.016);
const SpeciesTransport kWater = Species(2, 572.4, 2.605, 1.844, 0.0, 4.0, 18.015);
const SpeciesTransport kArgon = Species(0, 136.5, 3.33, 0.0, 0.0, 0.0, 39.95);

}  // namespace

TEST(LogPolynomialFit, ReproducesAPolynomialInLnTExactly) {
    const std::vector<double> a = {-12.0, 1.5, -0.2, 0.01, 0.0005};
    std::vector<double> temperatures, values;
    for (double T = 300.0; T <= 3500.0; T += 100.0) {
        temperatures.push_back(T);
        values.push_back(EvaluateLogPolynomial(a, T));
    }
    const auto fitted = FitLogPolynomial(temperatures, values, 5);
    for (size_t n = 0; n < a.size(); ++n) EXPECT_NEAR(fitted[n], a[n], 1e-6 * (1.0 + std::fabs(a[n])));
    EXPECT_NEAR(EvaluateLogPolynomial(fitted, 1234.0) / EvaluateLogPolynomial(a, 1234.0), 1.0, 1e-9);
}

// Tabulated: N2 17.9 uPa s at 300 K (CRC Handbook), 41.5 uPa s at 1000 K (Lemmon and Jacobsen
// 2004, dilute gas); steam 37.6 uPa s at 1000 K (IAPWS 2008, dilute gas). 1 uPa s = 1e-5 g/(cm s).
TEST(SpeciesTransport, ViscositiesAgreeWithTabulatedValues) {
    EXPECT_NEAR(Viscosity(kNitrogen, 300.0) / 17.9e-5, 1.0, 0.02);
    EXPECT_NEAR(Viscosity(kNitrogen, 1000.0) / 41.5e-5, 1.0, 0.02);
    EXPECT_NEAR(Viscosity(kWater, 1000.0) / 37.6e-5, 1.0, 0.02);
    EXPECT_NEAR(Viscosity(kArgon, 300.0) / 22.7e-5, 1.0, 0.02);
}

// N2 at 300 K: 25.9 mW/(m K) (CRC Handbook) = 2590 erg/(cm s K); argon 17.8 mW/(m K). The
// conductivity model is coarser than the viscosity: 5 %.
TEST(SpeciesTransport, ConductivitiesAgreeWithTabulatedValues) {
    EXPECT_NEAR(Conductivity(kNitrogen, 300.0, 3.5) / 2590.0, 1.0, 0.05);
    EXPECT_NEAR(Conductivity(kArgon, 300.0, 2.5) / 1780.0, 1.0, 0.05);
    // An atom's conductivity is the Eucken value 15/4 R mu / W exactly.
    EXPECT_NEAR(Conductivity(kArgon, 1500.0, 2.5), 15.0 / 4.0 * 83145100.0 * Viscosity(kArgon, 1500.0) / 39.95, 1e-9);
}

TEST(SpeciesTransport, BinaryDiffusionIsSymmetricAndScalesWithPressure) {
    const double d = BinaryDiffusion(kHydrogen, kNitrogen, 300.0, 1013250.0);
    EXPECT_NEAR(d, 0.78, 0.04);  // H2-N2 at 300 K, 1 atm: about 0.78 cm2/s
    EXPECT_DOUBLE_EQ(BinaryDiffusion(kNitrogen, kHydrogen, 300.0, 1013250.0), d);
    EXPECT_NEAR(BinaryDiffusion(kHydrogen, kNitrogen, 300.0, 2026500.0), d / 2.0, 1e-12);
}

// The pair fits reuse the fit of a shared potential: they must match fitting each pair's own
// diffusion coefficients, for species that share a potential but not a weight, and for the polar
// with nonpolar pairs whose potential is combined differently.
TEST(DiffusionFits, MatchFittingEachPairDirectly) {
    SpeciesTransport heavyNitrogen = kNitrogen;
    heavyNitrogen.molecularWeight = 30.0;
    const std::vector<SpeciesTransport> species = {kNitrogen, kWater, heavyNitrogen, kHydrogen, kArgon};
    std::vector<double> temperatures;
    for (int i = 0; i < 50; ++i) temperatures.push_back(300.0 + 3200.0 * i / 49);
    const LogPolynomialFitter fitter(temperatures, 5);
    const DiffusionFits fits = FitBinaryDiffusion(species, temperatures, fitter, 1013250.0, nullptr);
    const size_t kk = species.size();
    ASSERT_EQ(fits.coefficients.size(), 5 * kk * kk);
    double worst = 0.0;
    for (size_t k = 0; k < kk; ++k) {
        for (size_t j = 0; j < kk; ++j) {
            std::vector<double> d;
            for (const double T : temperatures) d.push_back(BinaryDiffusion(species[j], species[k], T, 1013250.0));
            const auto direct = FitLogPolynomial(temperatures, d, 5);
            for (size_t n = 0; n < 5; ++n) {
                EXPECT_NEAR(fits.coefficients[n + 5 * (j + kk * k)], direct[n], 1e-9 * (1.0 + std::fabs(direct[n])))
                    << "pair " << j << " " << k << " a_" << n;
                EXPECT_EQ(fits.coefficients[n + 5 * (j + kk * k)], fits.coefficients[n + 5 * (k + kk * j)]);
            }
            for (size_t i = 0; i < temperatures.size(); ++i) {
                worst = std::max(worst, std::fabs(EvaluateLogPolynomial(direct, temperatures[i]) / d[i] - 1.0));
            }
        }
    }
    EXPECT_NEAR(fits.largestDeviation, worst, 1e-9);
    EXPECT_GT(worst, 0.0);
}
