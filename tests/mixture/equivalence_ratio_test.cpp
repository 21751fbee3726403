#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gri_fixture.h"
#include "outside/mixture/equivalence_ratio.h"

using namespace vantor;
using vantor::testing_gri::Gri;

namespace {

std::vector<double> Amounts(std::initializer_list<std::pair<const char*, double>> parts) {
    std::vector<double> n(static_cast<size_t>(Gri().mechanism.KK()), 0.0);
    for (const auto& [name, value] : parts) n[static_cast<size_t>(Gri().mechanism.SpeciesIndex(name) - 1)] = value;
    return n;
}
double At(const std::vector<double>& x, const char* name) {
    return x[static_cast<size_t>(Gri().mechanism.SpeciesIndex(name) - 1)];
}

}  // namespace

TEST(EquivalenceRatio, ScalesTheFuelAndKeepsTheOxidizer) {
    ASSERT_TRUE(Gri().ready);
    const auto& gri = Gri().mechanism;
    const auto air = Amounts({{"CH4", 1.0}, {"O2", 2.0}, {"N2", 7.52}});
    EXPECT_DOUBLE_EQ(mixture::EquivalenceRatio(gri, air), 1.0);
    std::vector<double> x;
    std::string error;
    for (double phi : {0.7, 1.0, 1.3}) {
        ASSERT_TRUE(mixture::MixtureAtEquivalenceRatio(gri, air, phi, x, error)) << error;
        EXPECT_NEAR(At(x, "CH4"), phi / (phi + 9.52), 1e-15);
        EXPECT_NEAR(At(x, "N2") / At(x, "O2"), 3.76, 1e-12);
        EXPECT_NEAR(mixture::EquivalenceRatio(gri, x), phi, 1e-14);
    }
    ASSERT_TRUE(mixture::MixtureAtEquivalenceRatio(gri, air, 1.0, x, error));
    EXPECT_NEAR(At(x, "CH4"), 0.0950, 1e-4);
    // Oxygen in the fuel counts against its need: CH3OH needs 1.5 O2, H2 0.5.
    EXPECT_DOUBLE_EQ(mixture::EquivalenceRatio(gri, Amounts({{"CH3OH", 1.0}, {"H2", 1.0}, {"O2", 4.0}})), 0.5);
}

TEST(EquivalenceRatio, RefusesMixturesWithoutMeaning) {
    ASSERT_TRUE(Gri().ready);
    const auto& gri = Gri().mechanism;
    std::vector<double> x;
    std::string error;
    const auto fails = [&](const std::vector<double>& n, double phi, const std::string& expected) {
        EXPECT_FALSE(mixture::MixtureAtEquivalenceRatio(gri, n, phi, x, error));
        EXPECT_EQ(error, expected);
    };
    fails(Amounts({{"O2", 1.0}, {"N2", 3.76}}), 1.0, "no fuel (a species containing C or H) in the mixture");
    fails(Amounts({{"CH4", 1.0}, {"N2", 3.76}}), 1.0, "no oxygen in the oxidizer (the species without C or H)");
    fails(Amounts({{"H2O", 1.0}, {"O2", 1.0}}), 1.0, "the fuel needs no oxygen to burn to CO2 and H2O");
    fails(Amounts({{"CH4", 1.0}, {"O2", 2.0}}), 0.0, "equivalence ratio 0.000000 is not a positive number");
    fails(Amounts({{"CH4", 1.0}, {"O2", -2.0}}), 1.0, "species O2: amount -2.000000 is not a non-negative number");
    fails({1.0, 2.0}, 1.0, "2 amounts given for the mechanism's 53 species");
    EXPECT_EQ(mixture::EquivalenceRatio(gri, Amounts({{"CH4", 1.0}, {"N2", 3.76}})), -1.0);
    EXPECT_EQ(mixture::EquivalenceRatio(gri, Amounts({{"CH4", NAN}, {"O2", 1.0}})), -1.0);
}
