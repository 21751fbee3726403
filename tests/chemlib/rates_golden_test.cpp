// Rates of progress and production rates against the values this library gave before its
// evaluation was made faster (tests/data/rates_golden, written by the disabled test below with
// --gtest_also_run_disabled_tests --gtest_filter='RatesGolden.DISABLED_*'), within 1e-12 relative.
// The mechanisms cover every reaction type of tests/data and the corpus: third bodies, Lindemann,
// SRI and Troe fall-off with the mixture or one species as bath, chemically activated reactions,
// explicit reverse parameters, pressure tables (repeated pressures too), lumped reactions with real
// coefficients, forward and reverse orders, Landau-Teller, Janev-Langer-Evans-Post and Fit # 1.
// The states run in sequence on one loaded mechanism, so the second (same temperature and
// pressure as the first) takes the path that reuses the rate constants.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/compiled_mechanism.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;

namespace {

constexpr double kAtm = 1013250.0;

struct GoldenCase {
    const char* name;  // golden file tests/data/rates_golden/<name>.txt
    const char* mechanism;
    const char* thermo;
    int states;  // the first this many of kStates (two for the large mechanisms, to keep the files small)
};

const GoldenCase kCases[] = {
    {"gri30", "gri30/chem.inp", "gri30/therm.dat", 5},
    {"h2_li", "h2_li/chem.inp", "h2_li/chem.inp", 5},
    {"nc7_llnl", "nc7_llnl/chem.inp", "nc7_llnl/therm.dat", 2},
    {"special_types", "rates_golden/special_types.inp", "gri30/therm.dat", 5},
    {"hychem_c1", "corpus/hychem_c1/C1skeletal2p1.txt", "corpus/hychem_c1/therm.txt", 5},
    {"ffcm1", "corpus/ffcm1/mech-FFCM1", "corpus/ffcm1/thermdat", 5},
    {"hashemi2016", "corpus/hashemi2016/mech.inp", "corpus/hashemi2016/therm.dat", 5},
    {"konnov2008_h2", "corpus/konnov2008_h2/chem.inp", "corpus/konnov2008_h2/thermo.dat", 5},
    {"dmm_pyrolysis", "corpus/dmm_pyrolysis/DMM_pyrolysis_wToluene_2022-01-04.inp",
     "corpus/dmm_pyrolysis/DMM_pyrolysis_wToluene_2022-01-04.therm", 5},
    {"dodecane_lumped", "corpus/dodecane_lumped/chem.inp", "corpus/dodecane_lumped/therm.dat", 2},
    {"butanol_sarathy2012", "corpus/butanol_sarathy2012/1-s2.0-S0010218011004263-mmc3.txt",
     "corpus/butanol_sarathy2012/1-s2.0-S0010218011004263-mmc6.txt", 2},
};

void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.name; }

struct State {
    double T, Patm;
    int composition;
};

// A full evaluation, one at the same temperature and pressure, then temperatures and pressures
// inside, above and below the usual pressure tables; the low temperature gives free energies large
// enough for the equilibrium constants' other path.
const State kStates[] = {{1000.0, 10.0, 0}, {1000.0, 10.0, 1}, {1650.0, 1.3, 2}, {2500.0, 80.0, 3}, {500.0, 0.05, 4}};

struct Evaluation {
    int status = 0;
    std::vector<double> qf, qr, wdot;
};

// Mole fractions of every species, or (odd compositions) with every third species absent.
std::vector<double> MoleFractions(int KK, int composition) {
    std::vector<double> X(KK);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) {
        X[k] = composition % 2 == 1 && k % 3 == 1 ? 0.0 : 1.0 + (k * (composition + 3)) % 11;
        sum += X[k];
    }
    for (double& x : X) x /= sum;
    return X;
}

std::vector<Evaluation> EvaluateStates(Mechanism& m, int count) {
    std::vector<Evaluation> out;
    for (int s = 0; s < count; ++s) {
        const State& state = kStates[s];
        Evaluation e{0, std::vector<double>(m.II()), std::vector<double>(m.II()), std::vector<double>(m.KK())};
        const std::vector<double> X = MoleFractions(m.KK(), state.composition);
        std::vector<double> Y(m.KK());
        m.MoleToMassFractions(X.data(), Y.data());
        std::ostringstream msg;
        e.status = m.ProductionRates(msg, state.Patm * kAtm, state.T, Y.data(), e.wdot.data(), e.qf.data(), e.qr.data());
        if (e.status != 0) e.qf.clear(), e.qr.clear(), e.wdot.clear();
        out.push_back(std::move(e));
    }
    return out;
}

std::string GoldenPath(const GoldenCase& c) { return std::string(VANTOR_TEST_DATA_DIR) + "/rates_golden/" + c.name + ".txt"; }

// Per state a line "state T Patm composition status", then (status 0) II lines "QF QR" and KK
// lines "WDOT", all with 17 significant digits.
void Write(const std::string& path, const std::vector<Evaluation>& evaluations) {
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr) << path;
    for (size_t s = 0; s < evaluations.size(); ++s) {
        const Evaluation& e = evaluations[s];
        std::fprintf(f, "state %.17g %.17g %d %d\n", kStates[s].T, kStates[s].Patm, kStates[s].composition, e.status);
        for (size_t i = 0; i < e.qf.size(); ++i) std::fprintf(f, "%.17g %.17g\n", e.qf[i], e.qr[i]);
        for (const double w : e.wdot) std::fprintf(f, "%.17g\n", w);
    }
    ASSERT_EQ(std::fclose(f), 0) << path;
}

std::vector<Evaluation> Read(const std::string& path, int II, int KK) {
    std::ifstream in(path);
    std::vector<Evaluation> out;
    std::string word, T, P, composition;
    const auto number = [&in] {
        std::string token;
        in >> token;
        return std::strtod(token.c_str(), nullptr);  // also inf and nan, which >> does not read
    };
    while (in >> word >> T >> P >> composition) {
        Evaluation e;
        in >> e.status;
        if (e.status == 0) {
            for (int i = 0; i < II; ++i) e.qf.push_back(number()), e.qr.push_back(number());
            for (int k = 0; k < KK; ++k) e.wdot.push_back(number());
        }
        if (!in) break;
        out.push_back(std::move(e));
    }
    return out;
}

// Relative difference of actual from expected, measured against max(|expected|, floor); 0 for
// equal values, non-finite ones included.
double Difference(double actual, double expected, double floor) {
    if (actual == expected || (std::isnan(actual) && std::isnan(expected))) return 0.0;
    if (!std::isfinite(actual) || !std::isfinite(expected)) return INFINITY;
    return std::abs(actual - expected) / std::max(std::abs(expected), floor);
}

// The magnitude on which each production rate is rounded: the sum over its reactions of
// |coefficient| x (|QF| + |QR|). A production rate far below it is what remains of a cancellation;
// its difference can be as large as the rates' own differences times this sum, whatever the order
// of evaluation.
std::vector<double> ProductionScales(const Mechanism& m, const Evaluation& e) {
    const MechanismLayout& L = m.Layout();
    std::vector<double> scale(m.KK(), 0.0);
    const auto add = [&](int32_t i, int n, double nu) {
        const int32_t k = m.Ickwrk()[L.iSlotSpecies + int64_t(i) * L.MXSP + n];
        if (k >= 1 && k <= m.KK()) scale[k - 1] += std::abs(nu) * (std::abs(e.qf[i]) + std::abs(e.qr[i]));
    };
    for (int32_t i = 0; i < m.II(); ++i) {
        for (int n = 0; n < L.MXSP; ++n) add(i, n, m.Ickwrk()[L.iStoich + int64_t(i) * L.MXSP + n]);
    }
    for (int32_t l = 0; l < L.NREALNU; ++l) {
        const int32_t i = m.Ickwrk()[L.iRealNu + l] - 1;
        if (i < 0 || i >= m.II()) continue;
        for (int n = 0; n < L.MXSP; ++n) add(i, n, m.Rckwrk()[L.rRealNu + int64_t(l) * L.MXSP + n]);
    }
    return scale;
}

class RatesGolden : public ::testing::TestWithParam<GoldenCase> {
protected:
    std::unique_ptr<Mechanism> Load(const TempFolder& folder) const {
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/";
        return CompileAndLoad(data + GetParam().mechanism, data + GetParam().thermo, folder.Path());
    }
};

TEST_P(RatesGolden, EqualThePreviousEvaluationWithin1e12) {
    const TempFolder folder;
    const auto m = Load(folder);
    ASSERT_NE(m, nullptr);
    const std::vector<Evaluation> golden = Read(GoldenPath(GetParam()), m->II(), m->KK());
    ASSERT_EQ(golden.size(), size_t(GetParam().states)) << GoldenPath(GetParam());
    const std::vector<Evaluation> now = EvaluateStates(*m, GetParam().states);
    // Below the smallest normal double the results carry fewer bits than the comparison asks for.
    const double floor = std::numeric_limits<double>::min();
    double largest = 0.0;
    for (size_t s = 0; s < golden.size(); ++s) {
        SCOPED_TRACE("state " + std::to_string(s));
        ASSERT_EQ(now[s].status, golden[s].status);
        const std::vector<double> scale = golden[s].status == 0 ? ProductionScales(*m, golden[s]) : std::vector<double>{};
        for (int i = 0; i < int(golden[s].qf.size()); ++i) {
            const double qf = Difference(now[s].qf[i], golden[s].qf[i], floor);
            const double qr = Difference(now[s].qr[i], golden[s].qr[i], floor);
            EXPECT_LE(qf, 1e-12) << "QF of reaction " << i + 1 << ": " << now[s].qf[i] << " vs " << golden[s].qf[i];
            EXPECT_LE(qr, 1e-12) << "QR of reaction " << i + 1 << ": " << now[s].qr[i] << " vs " << golden[s].qr[i];
            largest = std::max({largest, qf, qr});
        }
        for (int k = 0; k < int(golden[s].wdot.size()); ++k) {
            const double w = Difference(now[s].wdot[k], golden[s].wdot[k], std::max(floor, scale[k]));
            EXPECT_LE(w, 1e-12) << "WDOT of species " << k + 1 << ": " << now[s].wdot[k] << " vs " << golden[s].wdot[k];
            largest = std::max(largest, w);
        }
    }
    std::printf("%s: largest relative difference %.3g\n", GetParam().name, largest);
}

TEST_P(RatesGolden, DISABLED_WriteTodaysValues) {
    const TempFolder folder;
    const auto m = Load(folder);
    ASSERT_NE(m, nullptr);
    Write(GoldenPath(GetParam()), EvaluateStates(*m, GetParam().states));
}

INSTANTIATE_TEST_SUITE_P(Mechanisms, RatesGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
