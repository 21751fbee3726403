// Evaluations that reuse the rate constants of the previous state (same temperatures and
// pressure) against a fresh library evaluating each state alone: the same bits, on the
// mechanisms of tests/data and of the corpus (lumped, chemically activated, pressure-dependent
// and third-body reactions).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chemlib/compiled_mechanism.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;

namespace {

struct State {
    double T, P;
    int composition;
};

struct Rates {
    std::vector<double> wdot, qf, qr;
};

Rates Evaluate(Mechanism& m, const State& s) {
    const int KK = m.KK(), II = m.II();
    std::vector<double> X(KK), Y(KK);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += X[k] = 1.0 + (k * (s.composition + 3)) % 11;
    for (double& x : X) x /= sum;
    m.MoleToMassFractions(X.data(), Y.data());
    Rates r{std::vector<double>(KK), std::vector<double>(II), std::vector<double>(II)};
    std::ostringstream msg;
    EXPECT_EQ(m.ProductionRates(msg, s.P, s.T, Y.data(), r.wdot.data(), r.qf.data(), r.qr.data()), 0) << msg.str();
    return r;
}

class RepeatedStateRates : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(RepeatedStateRates, ReusedRateConstantsGiveTheFreshBits) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/";
    const TempFolder folder;
    auto m = CompileAndLoad(data + GetParam()[0], data + GetParam()[1], folder.Path());
    ASSERT_NE(m, nullptr);
    // Reuse (2, 5), a changed pressure (3), a changed temperature (4), back to an older state (6).
    const std::vector<State> states = {{900.0, 2.0265e7, 0}, {1500.0, 1013250.0, 1}, {1500.0, 1013250.0, 2},
                                       {1500.0, 5.0e6, 2},   {900.0, 5.0e6, 3},      {900.0, 5.0e6, 4},
                                       {1500.0, 1013250.0, 1}};
    for (size_t n = 0; n < states.size(); ++n) {
        const Rates sequence = Evaluate(*m, states[n]);
        auto fresh = CompileAndLoad(data + GetParam()[0], data + GetParam()[1], folder.Path());
        ASSERT_NE(fresh, nullptr);
        const Rates alone = Evaluate(*fresh, states[n]);
        EXPECT_EQ(sequence.wdot, alone.wdot) << "state " << n;
        EXPECT_EQ(sequence.qf, alone.qf) << "state " << n;
        EXPECT_EQ(sequence.qr, alone.qr) << "state " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mechanisms, RepeatedStateRates,
    ::testing::Values(std::vector<std::string>{"gri30/chem.inp", "gri30/therm.dat"},
                      std::vector<std::string>{"h2_li/chem.inp", "h2_li/therm.dat"},
                      std::vector<std::string>{"nc7_llnl/chem.inp", "nc7_llnl/therm.dat"},
                      std::vector<std::string>{"corpus/hychem_c1/C1skeletal2p1.txt", "corpus/hychem_c1/therm.txt"},
                      std::vector<std::string>{"corpus/ffcm1/mech-FFCM1", "corpus/ffcm1/thermdat"}));

}  // namespace
