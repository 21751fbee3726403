// Rates of progress of every reaction type on small hand-made mechanisms, against the rate
// formulas written out independently here.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "chemlib/binary_builder.h"

using namespace vantor::chem;
using namespace vantor::chem::test;

namespace {

constexpr double kR = 83145100.0;
constexpr double kP = 1.0e6;
constexpr double kT = 1200.0;
const std::vector<double> kX = {0.2, 0.3, 0.5};

// Species A (10 g/mol), B (10 g/mol), C (20 g/mol) with constant heat capacities.
BinaryBuilder ThreeSpecies() {
    BinaryBuilder b;
    b.elements = {{"X", 10.0}};
    b.species = {ConstantCpSpecies("A", {1}, 10.0, 3.5, 100.0, 20.0),
                 ConstantCpSpecies("B", {1}, 10.0, 4.0, -200.0, 25.0),
                 ConstantCpSpecies("C", {2}, 20.0, 5.0, 50.0, 30.0)};
    return b;
}

ReactionData Reaction(std::array<double, 3> arrhenius, std::vector<std::pair<int32_t, int32_t>> reactants,
                      std::vector<std::pair<int32_t, int32_t>> products, bool reversible = true) {
    ReactionData r;
    r.arrhenius = arrhenius;
    r.reversible = reversible;
    for (size_t n = 0; n < reactants.size(); ++n) r.slots[n] = {-reactants[n].first, reactants[n].second};
    for (size_t n = 0; n < products.size(); ++n) r.slots[3 + n] = {products[n].first, products[n].second};
    return r;
}

// Independent thermodynamics of ThreeSpecies: G/RT of each species.
double GOverRT(int k, double T) {
    const double cp[3] = {3.5, 4.0, 5.0}, h[3] = {100.0, -200.0, 50.0}, s[3] = {20.0, 25.0, 30.0};
    const double HRT = (cp[k] * T + h[k] - cp[k] * 298.15) / T;
    const double SR = cp[k] * std::log(T) + s[k] - cp[k] * std::log(298.15);
    return HRT - SR;
}

double Conc(int k, double P = kP, double T = kT) { return kX[k] * P / (kR * T); }
double Arrhenius(double A, double b, double E, double T = kT) { return A * std::pow(T, b) * std::exp(-E / T); }

void ExpectRel(double actual, double expected, double tolerance, const char* what) {
    EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

}  // namespace

TEST(Rates, MassActionEquilibriumIrreversibleAndExplicitReverse) {
    BinaryBuilder b = ThreeSpecies();
    b.reactions = {Reaction({2e12, 0.5, 3000.0}, {{2, 1}}, {{1, 3}}),                 // 2A <=> C
                   Reaction({3e11, -1.0, 500.0}, {{1, 1}, {1, 2}}, {{1, 3}}, false),  // A + B => C
                   Reaction({4e10, 0.0, 100.0}, {{1, 3}}, {{1, 1}, {1, 2}})};         // C <=> A + B, REV
    b.reverse = {{3, {5e9, 0.7, 200.0}}};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->Rates(kP, kT, kX), kRateOk) << m->rateMessages;

    const double kf1 = Arrhenius(2e12, 0.5, 3000.0);
    const double Kc1 = std::exp(2 * GOverRT(0, kT) - GOverRT(2, kT)) * (kR * kT / 1013250.0);
    ExpectRel(m->qf[0], kf1 * Conc(0) * Conc(0), 1e-12, "2A forward");
    ExpectRel(m->qr[0], kf1 / Kc1 * Conc(2), 1e-12, "2A reverse");
    ExpectRel(m->qf[1], Arrhenius(3e11, -1.0, 500.0) * Conc(0) * Conc(1), 1e-12, "irreversible forward");
    EXPECT_EQ(m->qr[1], 0.0);
    EXPECT_EQ(m->RKR()[1], 0.0);
    ExpectRel(m->qr[2], Arrhenius(5e9, 0.7, 200.0) * Conc(0) * Conc(1), 1e-12, "explicit reverse");

    // Mass is conserved by every reaction.
    double mass = 0.0, scale = 0.0;
    const double W[3] = {10, 10, 20};
    for (int k = 0; k < 3; ++k) {
        mass += W[k] * m->wdot[k];
        scale += std::abs(W[k] * m->wdot[k]);
    }
    EXPECT_LT(std::abs(mass), 1e-13 * scale);
    ExpectRel(m->wdot[2], (m->qf[0] - m->qr[0]) + (m->qf[1] - m->qr[1]) - (m->qf[2] - m->qr[2]), 1e-12, "wdot C");

    // The perturbation factor scales both directions.
    m->rckwrk[m->lib.Layout().rArrhenius + 3] = 2.0;
    const double qf = m->qf[0], qr = m->qr[0];
    ASSERT_EQ(m->Rates(kP, kT, kX), kRateOk);
    ExpectRel(m->qf[0], 2 * qf, 1e-14, "perturbed forward");
    ExpectRel(m->qr[0], 2 * qr, 1e-14, "perturbed reverse");
}

TEST(Rates, EquilibriumConstantsAtExtremeFreeEnergiesAndWideReactions) {
    // D and E have free energies that make 4D <=> 2A + 2B reach the EXPARG cap at 300 K and at
    // 1200 K, while D <=> E stays moderate although exp(S/R - H/RT) of D and E alone underflows at
    // 300 K. 2A + 3B <=> C has more factors than the short forms hold.
    constexpr double hD = 229488.0, hE = hD + 600.0;
    BinaryBuilder b = ThreeSpecies();
    b.species.push_back(ConstantCpSpecies("D", {1}, 10.0, 3.5, hD, 20.0));
    b.species.push_back(ConstantCpSpecies("E", {1}, 10.0, 3.5, hE, 20.0));
    b.reactions = {Reaction({1e10, 0, 0}, {{4, 4}}, {{2, 1}, {2, 2}}), Reaction({1e10, 0, 0}, {{1, 4}}, {{1, 5}}),
                   Reaction({1e10, 0, 0}, {{2, 1}, {3, 2}}, {{1, 3}})};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->errFlag, 0) << m->messages;
    const std::vector<double> X = {0.1, 0.2, 0.3, 0.2, 0.2};
    const auto G = [&](int k, double T) {
        if (k < 3) return GOverRT(k, T);
        const double h = k == 3 ? hD : hE;
        return (3.5 * T + h - 3.5 * 298.15) / T - (3.5 * std::log(T) + 20.0 - 3.5 * std::log(298.15));
    };
    for (const double T : {300.0, 1200.0}) {
        SCOPED_TRACE(T);
        ASSERT_EQ(m->Rates(kP, T, X), kRateOk);
        const auto C = [&](int k) { return X[k] * kP / (kR * T); };
        const double K1 = std::exp(std::min(4 * G(3, T) - 2 * G(0, T) - 2 * G(1, T), 690.7755278982137));
        ExpectRel(m->qf[0], 1e10 * std::pow(C(3), 4), 1e-12, "fourth power");
        ExpectRel(m->RKR()[0], 1e10 / K1, 1e-12, "capped equilibrium constant");
        ExpectRel(m->RKR()[1], 1e10 / std::exp(G(3, T) - G(4, T)), 1e-12, "equilibrium of two extreme species");
        const double K3 = std::exp(2 * G(0, T) + 3 * G(1, T) - G(2, T)) * std::pow(1013250.0 / (kR * T), -4);
        ExpectRel(m->qf[2], 1e10 * std::pow(C(0), 2) * std::pow(C(1), 3), 1e-12, "five reactant factors");
        ExpectRel(m->qr[2], 1e10 / K3 * C(2), 1e-12, "equilibrium by the sum");
    }
}

TEST(Rates, SlotThreeCountsOnlyWhenSlotTwoIsOccupied) {
    BinaryBuilder b = ThreeSpecies();
    ReactionData r = Reaction({1e10, 0, 0}, {{1, 1}}, {{1, 3}}, false);
    r.slots[2] = {-1, 2};  // slot 3 holds B while slot 2 is empty
    b.reactions = {r};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->Rates(kP, kT, kX), kRateOk);
    ExpectRel(m->qf[0], 1e10 * Conc(0), 1e-12, "slot 3 ignored");
}

TEST(Rates, ThirdBodiesAndFallOff) {
    BinaryBuilder b = ThreeSpecies();
    const std::vector<double> lindemann = {1e16, -1.0, 50.0};
    std::vector<double> troe4 = {1e16, -1.0, 50.0, 0.6, 200.0, 1500.0, 3000.0, 0};
    std::vector<double> troe3 = troe4;
    troe3[6] = 0.0;
    const std::vector<double> sri = {1e16, -1.0, 50.0, 0.5, 300.0, 800.0, 1.2, 0.3};
    const std::array<double, 3> high = {1e13, 0.2, 400.0};
    b.reactions = {Reaction({1e15, -1.0, 0.0}, {{1, 1}}, {{1, 2}}, false),  // A + M => B + M
                   Reaction(high, {{1, 1}}, {{1, 2}}, false),               // A (+M) => B, Lindemann, mixture
                   Reaction(high, {{1, 1}}, {{1, 2}}, false),               // A (+C) => B, Lindemann, bath C
                   Reaction(high, {{1, 1}}, {{1, 2}}, false),               // Troe, four parameters
                   Reaction(high, {{1, 1}}, {{1, 2}}, false),               // Troe, three parameters
                   Reaction(high, {{1, 1}}, {{1, 2}}, false)};              // SRI
    b.thirdBody = {{1, {{3, 3.0}}}, {2, {{3, 3.0}}}, {4, {}}, {5, {}}, {6, {{2, 0.0}}}};
    b.fallOff = {{2, 1, 0, lindemann}, {3, 1, 3, lindemann}, {4, 4, 0, troe4}, {5, 3, 0, troe3}, {6, 2, 0, sri}};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->errFlag, 0) << m->messages;
    ASSERT_EQ(m->Rates(kP, kT, kX), kRateOk);

    const double total = Conc(0) + Conc(1) + Conc(2);
    const double M = total + 2.0 * Conc(2);
    ExpectRel(m->qf[0], 1e15 / kT * M * Conc(0), 1e-12, "third body");
    ExpectRel(m->CTB()[0], M, 1e-14, "CTB");

    const double kinf = Arrhenius(high[0], high[1], high[2]), k0 = Arrhenius(1e16, -1.0, 50.0);
    const auto lindemannRate = [&](double third) {
        const double PR = k0 * third / kinf;
        return kinf * PR / (1 + PR);
    };
    ExpectRel(m->qf[1], lindemannRate(M) * Conc(0), 1e-12, "fall-off in the mixture");
    EXPECT_EQ(m->CTB()[1], 1.0) << "the mixture counts once, inside PR";
    ExpectRel(m->qf[2], lindemannRate(Conc(2)) * Conc(0), 1e-12, "fall-off with bath C");

    // The broadening factors with the single-precision constants of the classic library.
    const double PR = k0 * total / kinf;
    const auto troe = [&](const std::vector<double>& p, bool four) {
        double fcent =
            (1 - p[3]) * std::exp(-kT / (p[4] + double(1e-20f))) + p[3] * std::exp(-kT / (p[5] + double(1e-20f)));
        if (four) fcent += std::exp(-p[6] / kT);
        const double c = -double(0.4f) - double(0.67f) * std::log10(fcent);
        const double n = 0.75 - double(1.27f) * std::log10(fcent);
        const double x = (std::log10(PR) + c) / (n - double(0.14f) * (std::log10(PR) + c));
        return std::pow(10.0, std::log10(fcent) / (1 + x * x));
    };
    ExpectRel(m->qf[3], kinf * PR / (1 + PR) * troe(troe4, true) * Conc(0), 1e-13, "Troe, 4 parameters");
    ExpectRel(m->qf[4], kinf * PR / (1 + PR) * troe(troe3, false) * Conc(0), 1e-13, "Troe, 3 parameters");
    const double PRsri = k0 * (total - Conc(1)) / kinf;
    const double X = 1 / (1 + std::pow(std::log10(PRsri), 2));
    const double Fsri = std::pow(0.5 * std::exp(-300.0 / kT) + std::exp(-kT / 800.0), X) * 1.2 * std::pow(kT, 0.3);
    ExpectRel(m->qf[5], kinf * PRsri / (1 + PRsri) * Fsri * Conc(0), 1e-13, "SRI");
}

TEST(Rates, LandauTellerUsesSinglePrecisionThirds) {
    BinaryBuilder b = ThreeSpecies();
    b.reactions = {Reaction({1e10, 0, 0}, {{1, 1}}, {{1, 2}}), Reaction({1e10, 0, 0}, {{1, 1}}, {{1, 2}})};
    b.landauTeller = {{1, {150.0, -40.0}}, {2, {150.0, -40.0}}};
    b.reverse = {{2, {2e9, 0, 0}}};
    b.revLandauTeller = {{2, {-120.0, 30.0}}};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->Rates(kP, kT, kX), kRateOk);
    const double third = std::pow(kT, double(1.0f / 3.0f)), twoThirds = std::pow(kT, double(2.0f / 3.0f));
    ExpectRel(m->qf[0], 1e10 * std::exp(150.0 / third - 40.0 / twoThirds) * Conc(0), 1e-13, "Landau-Teller");
    ExpectRel(m->qr[1], 2e9 * std::exp(-120.0 / third + 30.0 / twoThirds) * Conc(1), 1e-13, "reverse Landau-Teller");
}

TEST(Rates, RealCoefficientsAndOrders) {
    BinaryBuilder b = ThreeSpecies();
    ReactionData real = Reaction({1e10, 0, 0}, {{0, 1}}, {{0, 3}});  // A <=> 0.5 C
    b.reactions = {real, Reaction({1e10, 0, 0}, {{1, 1}, {1, 2}}, {{1, 3}})};
    b.realNu = {{1, {-1.0, 0, 0, 0.5, 0, 0}}};
    b.orders = {{2, {{-1, 0.5}, {3, 1.5}}}};  // forward order 0.5 on A only, reverse order 1.5 on C
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->Rates(kP, kT, kX), kRateOk);
    const double Kc = std::exp(GOverRT(0, kT) - 0.5 * GOverRT(2, kT)) * std::pow(1013250.0 / (kR * kT), -0.5);
    ExpectRel(m->qf[0], 1e10 * Conc(0), 1e-12, "real forward");
    ExpectRel(m->qr[0], 1e10 / Kc * std::sqrt(Conc(2)), 1e-12, "real reverse");
    const double Kc2 = std::exp(GOverRT(0, kT) + GOverRT(1, kT) - GOverRT(2, kT)) * (kR * kT / 1013250.0);
    ExpectRel(m->qf[1], 1e10 * std::sqrt(Conc(0)), 1e-12, "forward order");
    ExpectRel(m->qr[1], 1e10 / Kc2 * std::pow(Conc(2), 1.5), 1e-12, "reverse order");
    const double q0 = m->qf[0] - m->qr[0], q1 = m->qf[1] - m->qr[1];
    ExpectRel(m->wdot[2], 0.5 * q0 + q1, 1e-12, "real coefficient in the production rate");
}

TEST(Rates, ElectronImpactJanevAndFit1) {
    BinaryBuilder b = ThreeSpecies();
    b.reactions = {Reaction({1e10, 0.5, 1000.0}, {{2, 1}}, {{1, 3}}), Reaction({1e10, 0.5, 1000.0}, {{1, 1}}, {{1, 2}}),
                   Reaction({1e10, 0.5, 1000.0}, {{1, 1}}, {{1, 2}})};
    b.electronImpact = {{1, 3}};
    std::vector<double> jan(9, 0.0);
    jan[0] = 0.1, jan[1] = -0.2, jan[2] = 0.03;
    b.jlep = {{2, jan}};
    b.fit1 = {{3, {100.0, -2e4, 0, 0}}};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->errFlag, 0) << m->messages;

    const double T[4] = {kT, 1500.0, 3000.0, kT};
    std::vector<double> Y(3);
    m->lib.MoleToMassFractions(kX.data(), m->ickwrk.data(), m->rckwrk.data(), Y.data());
    double wdot[3], qf[3], qr[3];
    std::ostringstream msg;
    ASSERT_EQ(m->lib.ComputeProductionRates(msg, 4, kP, T, Y.data(), m->ickwrk.data(), m->rckwrk.data(), wdot, qf, qr),
              kRateOk);
    const double kf = Arrhenius(1e10, 0.5, 1000.0, 3000.0);
    // Equilibrium at the gas temperature, the pressure factor at the electron temperature (one mole less).
    const double Kc = std::exp(2 * GOverRT(0, kT) - GOverRT(2, kT)) * (kR * 3000.0 / 1013250.0);
    ExpectRel(qf[0], kf * Conc(0) * Conc(0), 1e-12, "electron impact forward");
    ExpectRel(qr[0], kf / Kc * Conc(2), 1e-12, "electron impact reverse");
    const double lt = std::log(1500.0 / 11600.0);
    ExpectRel(qf[1], Arrhenius(1e10, 0.5, 1000.0, 1500.0) * std::exp(0.1 - 0.2 * lt + 0.03 * lt * lt) * Conc(0), 1e-12,
              "Janev-Langer-Evans-Post");
    EXPECT_EQ(qr[1], 0.0);
    ExpectRel(qf[2], 1e10 * std::sqrt(kT) * std::exp(100.0 / kT - 2e4 / (kT * kT)) * Conc(0), 1e-12, "Fit # 1");
    EXPECT_EQ(qr[2], 0.0);

    // An electron temperature the caller did not pass is refused, not read.
    EXPECT_EQ(m->lib.ComputeProductionRates(msg, 2, kP, T, Y.data(), m->ickwrk.data(), m->rckwrk.data(), wdot, qf, qr),
              kRateTemperatureIndex);
}

TEST(Rates, PressureTables) {
    BinaryBuilder b = ThreeSpecies();
    const ReactionData r = Reaction({1, 0, 0}, {{1, 1}}, {{1, 2}}, false);
    const ReactionData reversible = Reaction({1, 0, 0}, {{1, 1}}, {{1, 2}});
    b.reactions = {r, r, reversible, reversible};
    // Reaction 1: one term at 1e5, 1e6, 1e7 dyn/cm2. Reaction 2: two terms per pressure at 1e5, 1e6.
    // Reversible reaction 3 negative at both pressures, reaction 4 changing sign between them.
    b.npmax = 4;
    b.tables = {{1, {1e5, 1e8, 0.5, 1000.0, 1e6, 2e9, 0.4, 2000.0, 1e7, 5e10, 0.3, 3000.0}},
                {2, {1e5, 1e8, 0.5, 1000.0, 1e5, 3e7, 0.0, 0.0, 1e6, 2e9, 0.4, 2000.0, 1e6, 1e9, 0.0, 500.0}},
                {1, {1e5, -1e8, 0.5, 1000.0, 1e6, -2e9, 0.4, 2000.0}},
                {1, {1e5, 1e8, 0.5, 1000.0, 1e6, -2e9, 0.4, 2000.0}}};
    b.tableReactions = {1, 2, 3, 4};
    auto m = LoadBytes(b.Bytes());
    ASSERT_EQ(m->errFlag, 0) << m->messages;
    const auto term = [](double A, double beta, double E) {
        return A * std::pow(kT, beta) * std::exp(-(double(4.18f) * E) / (double(8.31451f) * kT));
    };
    const double k[3] = {term(1e8, 0.5, 1000), term(2e9, 0.4, 2000), term(5e10, 0.3, 3000)};
    const double g[2] = {term(1e8, 0.5, 1000) + term(3e7, 0, 0), term(2e9, 0.4, 2000) + term(1e9, 0, 500)};
    const auto forward = [&](double P, int i) {
        EXPECT_EQ(m->Rates(P, kT, kX), kRateOk) << m->rateMessages;
        return m->RKF()[i];
    };
    ExpectRel(forward(1.015e6, 0), k[1], 1e-13, "within 2 % of a table pressure");
    const double w = (std::log(3e6) - std::log(1e6)) / (std::log(1e7) - std::log(1e6));
    ExpectRel(forward(3e6, 0), std::exp(std::log(k[1]) + (std::log(k[2]) - std::log(k[1])) * w), 1e-12, "bracketed");
    ExpectRel(forward(1e4, 0), k[0], 1e-13, "below the table");
    ExpectRel(forward(1e9, 0), k[2], 1e-13, "above the table");
    ExpectRel(forward(1e6, 1), g[1], 1e-13, "a group's terms are summed");
    const double w2 = (std::log(3e5) - std::log(1e5)) / (std::log(1e6) - std::log(1e5));
    ExpectRel(forward(3e5, 1), std::exp(std::log(g[0]) + (std::log(g[1]) - std::log(g[0])) * w2), 1e-12,
              "bracketed between groups");
    ExpectRel(forward(1e8, 1), g[1], 1e-13, "above the last group");
    const double w3 = (std::log(3e5) - std::log(1e5)) / (std::log(1e6) - std::log(1e5));
    const double negative = -std::exp(std::log(k[0]) + (std::log(k[1]) - std::log(k[0])) * w3);
    ExpectRel(forward(3e5, 2), negative, 1e-12, "negative table, in ln(-k)");
    ExpectRel(forward(3e5, 3), k[0] - (k[1] + k[0]) * w3, 1e-12, "sign change, linear in k");
    // The reverse constants follow the table through the equilibrium constant.
    const double Kc = std::exp(GOverRT(0, kT) - GOverRT(1, kT));
    ExpectRel(m->RKR()[2], negative / Kc, 1e-12, "reverse of the negative table");
    ExpectRel(m->RKR()[3], (k[0] - (k[1] + k[0]) * w3) / Kc, 1e-12, "reverse of the sign change");
    EXPECT_EQ(m->RKR()[0], 0.0);

    b.tables[0].second[1] = 1e35;
    auto overflow = LoadBytes(b.Bytes());
    EXPECT_EQ(overflow->Rates(1e5, kT, kX), kRateTableOverflow);
    EXPECT_NE(overflow->rateMessages.find("reaction 1"), std::string::npos) << overflow->rateMessages;
}

TEST(Rates, StopsAreStatusesWithAMessage) {
    auto m = LoadBytes(ThreeSpecies().Bytes());  // no reactions: the state checks apply all the same
    EXPECT_EQ(m->Rates(kP, kT, kX, 1), kRateTemperatureArray);
    EXPECT_EQ(m->rateMessages, "Stop: temperature array must be larger than 2\r\n");
    EXPECT_EQ(m->Rates(1e-31, kT, kX), kRateStateRange);
    EXPECT_FALSE(m->rateMessages.empty());
    EXPECT_EQ(m->Rates(kP, 0.0199, kX), kRateStateRange);
    EXPECT_EQ(m->Rates(kP, 0.0200001, kX), kRateOk);
    EXPECT_EQ(m->lib.CurrentPressure, kP);
}
