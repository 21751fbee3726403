// Lumped reactions (up to twelve species, real coefficients, changed orders) compiled by the
// interpreter: rates of progress, production rates and reaction enthalpies against a
// straightforward evaluation, and the HyChem C1 mechanism against the independent reference
// values of tests/data/reference/hychem_c1_rates.txt.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/compiled_mechanism.h"
#include "chemlib/reference_data.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;

namespace {

constexpr double kR = 83145100.0, kAtm = 1013250.0, kErgPerCal = 4.184e7;

struct Term {
    std::string species;
    double nu;  // negative for reactants
};

struct LumpedReaction {
    std::string equation;  // as the mechanism writes it
    double A, b, E;        // cal/mol
    bool reversible;
    std::vector<Term> terms;
    std::map<std::string, double> forwardOrders;  // FORD
};

// C3H8 + OH -> H2O + C3H7, C3H7 lumped over pairs of smaller species.
const std::vector<LumpedReaction> kReactions = {
    {"C3H8+OH=>H2O+0.2C2H4+0.2CH3+0.2C2H5+0.2CH2+0.2C3H7+0.2C2H6+0.2CH+0.2CH4+0.2C2H3",
     2.0e12, 0.3, 4000.0, false,
     {{"C3H8", -1}, {"OH", -1}, {"H2O", 1}, {"C2H4", 0.2}, {"CH3", 0.2}, {"C2H5", 0.2}, {"CH2", 0.2},
      {"C3H7", 0.2}, {"C2H6", 0.2}, {"CH", 0.2}, {"CH4", 0.2}, {"C2H3", 0.2}},
     {{"OH", 0.8}}},
    {"CH4+C2H6+C3H8=CH3+C2H5+C3H7+H2+H", 1.0e10, 0.5, 30000.0, true,
     {{"CH4", -1}, {"C2H6", -1}, {"C3H8", -1}, {"CH3", 1}, {"C2H5", 1}, {"C3H7", 1}, {"H2", 1}, {"H", 1}},
     {}},
    {"C3H8+OH=H2O+0.5C2H4+0.5CH3+0.5C2H5+0.5CH2", 5.0e11, 0.0, 2000.0, true,
     {{"C3H8", -1}, {"OH", -1}, {"H2O", 1}, {"C2H4", 0.5}, {"CH3", 0.5}, {"C2H5", 0.5}, {"CH2", 0.5}},
     {{"C3H8", 1.2}}},
};

std::string LumpedMechanismText() {
    std::ostringstream inp;
    inp << "ELEMENTS C H O END\nSPECIES C3H8 OH H2O C2H4 CH3 C2H5 CH2 C3H7 C2H6 CH CH4 C2H3 H2 H END\nREACTIONS\n";
    for (const LumpedReaction& r : kReactions) {
        inp << r.equation << " " << r.A << " " << r.b << " " << r.E << "\n";
        for (const auto& [name, order] : r.forwardOrders) inp << "FORD /" << name << " " << order << "/\n";
    }
    inp << "END\n";
    return inp.str();
}

TEST(LumpedReactions, RatesProductionAndEnthalpyEqualAStraightforwardEvaluation) {
    TempFolder dir;
    ASSERT_FALSE(dir.Path().empty());
    const auto m = CompileTextAndLoad(LumpedMechanismText(), dir.Path());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Layout().MXSP, 12);  // the twelve species of reaction 1
    const int KK = m->KK(), II = m->II();
    ASSERT_EQ(II, 3);

    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II), H(KK), SMH(KK);
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 5) / 40.0;
    m->MoleToMassFractions(X.data(), Y.data());
    for (const auto& [T, Patm] : {std::pair{1000.0, 1.0}, std::pair{1800.0, 10.0}}) {
        SCOPED_TRACE("T = " + std::to_string(T));
        const double P = Patm * kAtm;
        std::ostringstream msg;
        ASSERT_EQ(m->ProductionRates(msg, P, T, Y.data(), wdot.data(), qf.data(), qr.data()), 0) << msg.str();
        m->Enthalpies(T, H.data());
        m->Library().EntropyMinusEnthalpy(T, m->Ickwrk(), m->Rckwrk(), SMH.data());

        std::vector<double> expectedWdot(KK, 0.0), scale(KK, 0.0);
        for (int i = 0; i < II; ++i) {
            const LumpedReaction& r = kReactions[i];
            const double kf = r.A * std::pow(T, r.b) * std::exp(-r.E * kErgPerCal / (kR * T));
            double rf = kf, rr = 0.0, sumSMH = 0.0, sumNu = 0.0, dH = 0.0;
            double products = 1.0;
            for (const Term& t : r.terms) {
                const int k = m->SpeciesIndex(t.species) - 1;
                ASSERT_GE(k, 0) << t.species;
                const double C = X[k] * P / (kR * T);
                if (t.nu < 0) {
                    const auto order = r.forwardOrders.find(t.species);
                    rf *= std::pow(C, order == r.forwardOrders.end() ? -t.nu : order->second);
                } else {
                    products *= std::pow(C, t.nu);
                }
                sumSMH += t.nu * SMH[k];
                sumNu += t.nu;
                dH += t.nu * H[k];
            }
            if (r.reversible) {
                const double Kc = std::exp(sumSMH) * std::pow(kAtm / (kR * T), sumNu);
                rr = kf / Kc * products;
            }
            EXPECT_TRUE(Close(qf[i], rf, 1e-12)) << "reaction " << i + 1 << " forward " << qf[i] << " vs " << rf;
            EXPECT_TRUE(Close(qr[i], rr, 1e-12)) << "reaction " << i + 1 << " reverse " << qr[i] << " vs " << rr;
            double DH = 0.0;
            m->Library().ReactionEnthalpyChange(i + 1, H.data(), m->Ickwrk(), m->Rckwrk(), DH);
            EXPECT_TRUE(Close(DH, dH, 1e-12, 1e-3 * kR * T)) << "reaction " << i + 1 << " " << DH << " vs " << dH;
            for (const Term& t : r.terms) {
                const int k = m->SpeciesIndex(t.species) - 1;
                expectedWdot[k] += t.nu * (rf - rr);
                scale[k] += std::abs(t.nu * (rf - rr));
            }
        }
        for (int k = 0; k < KK; ++k)
            EXPECT_TRUE(Close(wdot[k], expectedWdot[k], 1e-12, scale[k])) << m->SpeciesName(k + 1);
    }
}

TEST(LumpedReactions, HyChemC1MatchesTheReferenceRates) {
    TempFolder dir;
    ASSERT_FALSE(dir.Path().empty());
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/hychem_c1/";
    const auto m = CompileAndLoad(data + "C1skeletal2p1.txt", data + "therm.txt", dir.Path());
    ASSERT_TRUE(m);
    const auto states = ReadReference(std::string(VANTOR_TEST_DATA_DIR) + "/reference/hychem_c1_rates.txt");
    ASSERT_EQ(states.size(), 6u);
    const int KK = m->KK(), II = m->II();
    ASSERT_EQ(KK, 42);
    ASSERT_EQ(II, 286);
    EXPECT_EQ(m->Layout().MXSP, 8);  // two reactants and six products (H on both sides)

    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II);
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 7) / 168.0;
    m->MoleToMassFractions(X.data(), Y.data());
    for (const StateReference& s : states) {
        SCOPED_TRACE("T = " + std::to_string(s.T) + " K, P = " + std::to_string(s.Patm) + " atm");
        ASSERT_EQ(int(s.reactions.size()), II);
        std::ostringstream msg;
        ASSERT_EQ(m->ProductionRates(msg, s.Patm * kAtm, s.T, Y.data(), wdot.data(), qf.data(), qr.data()), 0)
            << msg.str();
        double largest = 0.0;
        for (const auto& r : s.reactions) largest = std::max({largest, std::abs(r.qf), std::abs(r.qr)});
        for (int i = 0; i < II; ++i) {
            const auto& r = s.reactions[i];
            if (std::abs(r.qf) > 1e-30 * largest) {
                EXPECT_TRUE(Close(qf[i], r.qf, 1e-6)) << "reaction " << i + 1 << " forward " << qf[i] << " vs " << r.qf;
            }
            if (std::abs(r.qr) > 1e-30 * largest) {
                EXPECT_TRUE(Close(qr[i], r.qr, 1e-6)) << "reaction " << i + 1 << " reverse " << qr[i] << " vs " << r.qr;
            }
        }
    }
}

}  // namespace
