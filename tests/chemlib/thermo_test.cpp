// Species thermodynamics against the NASA polynomial formulas written out independently,
// range selection, reaction enthalpy changes and composition conversions.

#include <gtest/gtest.h>

#include <cmath>

#include "chemlib/binary_builder.h"

using namespace vantor::chem;
using namespace vantor::chem::test;

namespace {

const std::vector<double> kLow = {3.0, 1e-3, -1e-6, 2e-10, -1e-14, -1000.0, 5.0};
const std::vector<double> kHigh = {4.0, 5e-4, -2e-7, 3e-11, -2e-15, -1500.0, 2.0};

double HOverRT(const std::vector<double>& a, double T) {
    return a[0] + a[1] * T / 2 + a[2] * T * T / 3 + a[3] * std::pow(T, 3) / 4 + a[4] * std::pow(T, 4) / 5 + a[5] / T;
}
double SOverR(const std::vector<double>& a, double T) {
    return a[0] * std::log(T) + a[1] * T + a[2] * T * T / 2 + a[3] * std::pow(T, 3) / 3 + a[4] * std::pow(T, 4) / 4 +
           a[6];
}
double CpOverR(const std::vector<double>& a, double T) {
    return a[0] + a[1] * T + a[2] * T * T + a[3] * std::pow(T, 3) + a[4] * std::pow(T, 4);
}

BinaryBuilder TwoRangeMechanism() {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.species[0].low = kLow;
    b.species[0].high = kHigh;
    b.species[1].low = kLow;
    b.species[1].high = kHigh;
    b.species[1].fitTemps = 2;  // one range only, whatever the temperature
    return b;
}

}  // namespace

TEST(Thermo, PolynomialsAndRangeSelection) {
    auto m = LoadBytes(TwoRangeMechanism().Bytes());
    ASSERT_EQ(m->errFlag, 0);
    const double R = 83145100.0;
    struct Point {
        double T;
        const std::vector<double>* rangeOfA;
    };
    // The middle fit temperature itself takes the low range; outside the fit range nothing is clipped.
    for (const Point& p :
         {Point{200.0, &kLow}, Point{1000.0, &kLow}, Point{1000.000001, &kHigh}, Point{6000.0, &kHigh}}) {
        double H[2], SMH[2], Cp[2];
        m->lib.SpeciesEnthalpies(p.T, m->ickwrk.data(), m->rckwrk.data(), H);
        m->lib.EntropyMinusEnthalpy(p.T, m->ickwrk.data(), m->rckwrk.data(), SMH);
        m->lib.SpeciesHeatCapacities(p.T, m->ickwrk.data(), m->rckwrk.data(), Cp);
        const auto& a = *p.rangeOfA;
        EXPECT_NEAR(H[0], R * p.T * HOverRT(a, p.T), 1e-12 * std::abs(R * p.T * HOverRT(a, p.T))) << p.T;
        EXPECT_NEAR(SMH[0], SOverR(a, p.T) - HOverRT(a, p.T), 1e-12 * std::abs(SOverR(a, p.T))) << p.T;
        EXPECT_NEAR(Cp[0], CpOverR(a, p.T), 1e-12 * CpOverR(a, p.T)) << p.T;
        EXPECT_NEAR(H[1], R * p.T * HOverRT(kLow, p.T), 1e-12 * std::abs(R * p.T * HOverRT(kLow, p.T))) << p.T;
    }
}

TEST(Thermo, ReactionEnthalpyChange) {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.species.push_back(ConstantCpSpecies("C", {2}, 20.0, 5.0, 50.0, 30.0));
    ReactionData r;
    r.slots[0] = {-2, 1};  // 2A => B + C, slot 2 and slot 5 left empty
    r.slots[3] = {1, 2};
    r.slots[5] = {1, 3};
    ReactionData real;
    real.slots[0] = {0, 1};
    real.slots[3] = {0, 3};
    b.reactions = {r, real};
    b.realNu = {{2, {-0.5, 0, 0, -2e30, 0, 0}}};  // the product's coefficient is not above COEFMIN
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->errFlag, 0) << m->messages;
    const double H[3] = {10.0, 100.0, 1000.0};
    double DH = -1.0;
    m->lib.ReactionEnthalpyChange(1, H, m->ickwrk.data(), m->rckwrk.data(), DH);
    EXPECT_EQ(DH, -2 * 10.0 + 100.0 + 1000.0);
    m->lib.ReactionEnthalpyChange(2, H, m->ickwrk.data(), m->rckwrk.data(), DH);
    EXPECT_EQ(DH, -0.5 * 10.0);
    m->lib.ReactionEnthalpyChange(3, H, m->ickwrk.data(), m->rckwrk.data(), DH);
    EXPECT_EQ(DH, 0.0) << "a reaction number beyond II";
}

TEST(Thermo, CompositionConversions) {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.species[1].weight = 30.0;
    auto m = LoadBytes(b.Bytes());
    double Y[2], C[2];
    const double single[2] = {0.0, 1.0};
    m->lib.MoleToMassFractions(single, m->ickwrk.data(), m->rckwrk.data(), Y);
    EXPECT_EQ(Y[0], 0.0);
    EXPECT_EQ(Y[1], 1.0);
    const double T[1] = {1500.0};
    m->lib.MassFractionsToConcentrations(2e6, T, Y, m->ickwrk.data(), m->rckwrk.data(), C);
    EXPECT_NEAR(C[1], 2e6 / (83145100.0 * 1500.0), 1e-15 * C[1]);
    EXPECT_EQ(C[0], 0.0);

    const double X[2] = {0.25, 0.75};
    m->lib.MoleToMassFractions(X, m->ickwrk.data(), m->rckwrk.data(), Y);
    EXPECT_NEAR(Y[0], 0.25 * 10 / (0.25 * 10 + 0.75 * 30), 1e-15);
    m->lib.MassFractionsToConcentrations(2e6, T, Y, m->ickwrk.data(), m->rckwrk.data(), C);
    const double total = 2e6 / (83145100.0 * 1500.0);
    EXPECT_NEAR(C[0], 0.25 * total, 1e-14 * total);
    EXPECT_NEAR(C[1], 0.75 * total, 1e-14 * total);
}
