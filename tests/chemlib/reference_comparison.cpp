#include "chemlib/reference_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace vantor::chem::testing {
namespace {

void ExpectThermoMatches(Mechanism& m, const StateReference& s, double tolerance) {
    const int KK = m.KK();
    std::vector<double> H(KK), cp(KK), SMH(KK);
    m.Enthalpies(s.T, H.data());
    m.HeatCapacities(s.T, cp.data());
    m.Library().EntropyMinusEnthalpy(s.T, m.Ickwrk(), m.Rckwrk(), SMH.data());
    const double RT = 83145100.0 * s.T;
    for (int k = 0; k < KK; ++k) {
        const auto& ref = s.species[k];
        EXPECT_EQ(m.SpeciesName(k + 1), ref.name);
        EXPECT_TRUE(Close(H[k], ref.H, tolerance, 1e-3 * RT)) << ref.name << " H " << H[k] << " vs " << ref.H;
        EXPECT_TRUE(Close(SMH[k], ref.GS, tolerance, 1e-3)) << ref.name << " S/R-H/RT " << SMH[k] << " vs "
                                                            << ref.GS;
        EXPECT_TRUE(Close(cp[k], ref.CpR, tolerance)) << ref.name << " cp/R " << cp[k] << " vs " << ref.CpR;
    }
}

}  // namespace

std::set<int> PressureTableReactions(const std::string& path) {
    std::ifstream in(path);
    std::set<int> reactions;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag, type;
        int i, forward, reverse;
        fields >> tag >> i >> forward >> reverse >> type;
        if (tag == "RX" && type.find("pressure-dependent-Arrhenius") != std::string::npos) reactions.insert(i);
    }
    return reactions;
}

void ExpectMatchesReference(Mechanism& m, const std::vector<StateReference>& states, double tolerance,
                            const std::set<int>& pressureTables, const std::set<int>& refusedStates) {
    constexpr double kPressureTableLogTolerance = 0.2;
    const int KK = m.KK(), II = m.II();
    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += 1.0 + k % 7;
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 7) / sum;
    m.MoleToMassFractions(X.data(), Y.data());
    for (size_t n = 0; n < states.size(); ++n) {
        const StateReference& s = states[n];
        SCOPED_TRACE("T = " + std::to_string(s.T) + " K, P = " + std::to_string(s.Patm) + " atm");
        ASSERT_EQ(int(s.species.size()), KK);
        ASSERT_EQ(int(s.reactions.size()), II);
        ExpectThermoMatches(m, s, tolerance);
        std::ostringstream msg;
        const int32_t status =
            m.ProductionRates(msg, s.Patm * 1013250.0, s.T, Y.data(), wdot.data(), qf.data(), qr.data());
        if (refusedStates.count(int(n) + 1)) {
            EXPECT_NE(status, 0) << "state " << n + 1 << " was expected beyond the library's rate limit";
            continue;
        }
        ASSERT_EQ(status, 0) << msg.str();

        double largest = 0.0;
        for (const auto& r : s.reactions) largest = std::max({largest, std::abs(r.qf), std::abs(r.qr)});
        for (int i = 0; i < II; ++i) {
            const auto& r = s.reactions[i];
            if (pressureTables.count(i + 1)) {
                EXPECT_LE(std::abs(std::log(qf[i] / r.qf)), kPressureTableLogTolerance)
                    << "reaction " << i + 1 << " forward (pressure table) " << qf[i] << " vs " << r.qf;
                continue;
            }
            if (std::abs(r.qf) > 1e-30 * largest) {
                EXPECT_TRUE(Close(qf[i], r.qf, tolerance)) << "reaction " << i + 1 << " forward " << qf[i] << " vs "
                                                           << r.qf;
            }
            if (std::abs(r.qr) > 1e-30 * largest) {
                EXPECT_TRUE(Close(qr[i], r.qr, tolerance)) << "reaction " << i + 1 << " reverse " << qr[i] << " vs "
                                                           << r.qr;
            }
        }

    }
}

}  // namespace vantor::chem::testing
