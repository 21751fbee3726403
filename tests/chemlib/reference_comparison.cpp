#include "chemlib/reference_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "chemlib/pressure_table_allowance.h"

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

struct Worst {
    double deviation = 0.0, allowance = 0.0;
    int reaction = 0, state = 0;
};

}  // namespace

std::set<int> PressureTableReactions(const std::string& path) {
    std::ifstream in(path);
    std::set<int> reactions;
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, 3, "RX ") != 0) continue;
        std::istringstream fields(line);
        std::string tag, type;
        int i, forward, reverse;
        fields >> tag >> i >> forward >> reverse >> type;
        if (type.find("pressure-dependent-Arrhenius") != std::string::npos) reactions.insert(i);
    }
    return reactions;
}

void ExpectMatchesReference(Mechanism& m, const std::vector<StateReference>& states, double tolerance,
                            const std::set<int>& pressureTables, const std::set<int>& refusedStates,
                            const std::string& name) {
    const int KK = m.KK(), II = m.II();
    const MechanismLayout& L = m.Layout();
    std::vector<bool> explicitReverse(II, false);
    for (int32_t n = 0; n < L.NREVPAR; ++n) explicitReverse[m.Ickwrk()[L.iReverse + n] - 1] = true;
    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += 1.0 + k % 7;
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 7) / sum;
    m.MoleToMassFractions(X.data(), Y.data());
    // Worst |ln(library/reference)| per kind: without a table forward and reverse, with a table
    // forward and reverse (there also the allowance at the worst case).
    Worst worst[4];
    for (size_t n = 0; n < states.size(); ++n) {
        const StateReference& s = states[n];
        SCOPED_TRACE("T = " + std::to_string(s.T) + " K, P = " + std::to_string(s.Patm) + " atm");
        ASSERT_EQ(int(s.species.size()), KK);
        ASSERT_EQ(int(s.reactions.size()), II);
        ExpectThermoMatches(m, s, tolerance);
        std::ostringstream msg;
        const double P = s.Patm * 1013250.0;
        const int32_t status = m.ProductionRates(msg, P, s.T, Y.data(), wdot.data(), qf.data(), qr.data());
        if (refusedStates.count(int(n) + 1)) {
            EXPECT_EQ(status, kRateTableOverflow) << "state " << n + 1 << " was expected beyond the rate limit";
            EXPECT_NE(msg.str().find("beyond 1.0E+30"), std::string::npos) << msg.str();
            continue;
        }
        ASSERT_EQ(status, 0) << msg.str();

        double largest = 0.0;
        for (const auto& r : s.reactions) largest = std::max({largest, std::abs(r.qf), std::abs(r.qr)});
        for (int i = 0; i < II; ++i) {
            const auto& r = s.reactions[i];
            const TableAllowance table = PressureTableAllowance(m, i, s.T, P);
            EXPECT_EQ(table.table, pressureTables.count(i + 1) > 0) << "reaction " << i + 1 << " pressure table";
            const double forwardAllowance = table.Total() + tolerance;
            const double reverseAllowance = explicitReverse[i] ? tolerance : forwardAllowance;
            const auto compare = [&](double actual, double expected, double allowance, Worst& w, const char* what) {
                if (std::abs(expected) <= 1e-30 * largest) return;
                const double deviation = std::abs(std::log(actual / expected));
                EXPECT_LE(deviation, allowance) << "reaction " << i + 1 << " " << what << " " << actual << " vs "
                                                << expected << " (allowed " << allowance << ")";
                if (!(deviation <= w.deviation)) w = {deviation, allowance, i + 1, int(n) + 1};
            };
            compare(qf[i], r.qf, table.table ? forwardAllowance : tolerance, worst[table.table ? 2 : 0], "forward");
            compare(qr[i], r.qr, table.table ? reverseAllowance : tolerance, worst[table.table ? 3 : 1], "reverse");
        }
    }
    const char* kinds[] = {"forward", "reverse", "table forward", "table reverse"};
    for (int k = 0; k < 4; ++k) {
        if (worst[k].reaction == 0) continue;
        std::printf("%s %s: worst |ln(library/reference)| %.3g (allowed %.3g), reaction %d, state %d\n", name.c_str(),
                    kinds[k], worst[k].deviation, worst[k].allowance, worst[k].reaction, worst[k].state);
    }
}

}  // namespace vantor::chem::testing
