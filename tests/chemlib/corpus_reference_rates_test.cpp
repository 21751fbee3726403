// Mechanisms from the field, compiled by the interpreter, against the independent reference values
// of tests/data/reference: dmm_pyrolysis (blank exponent signs), hashemi2016 (real-valued element
// counts, common temperatures spilling into column 74) and C3MechV3.3 (3761 species, hundreds of
// reversible pressure-table reactions, many as duplicate pairs).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "chemlib/compiled_mechanism.h"
#include "chemlib/mechanism.h"
#include "chemlib/reference_comparison.h"
#include "outside/tolmar/tolmar.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;
namespace fs = std::filesystem;

namespace {

void CompareCorpusMechanism(const std::string& name, const std::string& mechanism, const std::string& thermo, int KK,
                            int II, const std::set<int>& refusedStates = {}) {
    char pattern[] = "/tmp/chemlib-corpus-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/" + name + "/";
    const std::string bin = folder + "/Chem.bin";
    ASSERT_EQ(vantor::tolmar::CompileMechanismFiles(data + mechanism, data + thermo, bin, folder + "/Out.dat"), 0);
    {
        Mechanism m;
        std::ostringstream msg;
        ASSERT_EQ(m.Load(bin, msg), 0) << msg.str();
        const std::string reference = std::string(VANTOR_TEST_DATA_DIR) + "/reference/" + name + "_rates.txt";
        const auto states = ReadReference(reference);
        ASSERT_EQ(states.size(), 6u);
        ASSERT_EQ(m.KK(), KK);
        ASSERT_EQ(m.II(), II);
        ExpectMatchesReference(m, states, 1e-6, PressureTableReactions(reference), refusedStates, name);
    }
    fs::remove_all(folder);
}

}  // namespace

TEST(CorpusReferenceRates, BlankExponentSignsInThermoData) {
    // At 1000 K and 1 atm the pressure table of H+eC7H6=>cC7H7 gives 8.4e30 cm3/(mol s).
    CompareCorpusMechanism("dmm_pyrolysis", "DMM_pyrolysis_wToluene_2022-01-04.inp",
                           "DMM_pyrolysis_wToluene_2022-01-04.therm", 205, 687, {2});
}

TEST(CorpusReferenceRates, RealElementCountsAndSpilledCommonTemperatures) {
    CompareCorpusMechanism("hashemi2016", "mech.inp", "therm.dat", 68, 631);
}

TEST(CorpusReferenceRates, LargeMechanismWithDuplicatePressureTables) {
#if VANTOR_SANITIZED_BUILD
    GTEST_SKIP() << "the largest mechanisms run in the release build";
#endif
    CompareCorpusMechanism("c3mech33", "C3MechV3.3.MECH", "C3MechV3.3.THERM", 3761, 16522);
}

TEST(CorpusReferenceRates, NegativeDuplicateTableBetweenItsPressures) {
    // Reaction 287 of Glarborg 2018, C2H3+CH2O=C2H4+HCO, the negative half of a duplicate pair:
    // at 20 atm between its 10 and 100 atm entries, interpolated in ln(-k).
    const TempFolder folder;
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/glarborg2018/";
    const auto m = CompileAndLoad(data + "mech.dat", data + "thermo.dat", folder.Path());
    ASSERT_NE(m, nullptr);
    const int KK = m->KK(), II = m->II();
    std::vector<double> X(KK, 1.0 / KK), Y(KK), wdot(KK), qf(II), qr(II);
    m->MoleToMassFractions(X.data(), Y.data());
    std::ostringstream msg;
    constexpr double T = 1000.0;
    ASSERT_EQ(m->ProductionRates(msg, 20 * 1013250.0, T, Y.data(), wdot.data(), qf.data(), qr.data()), 0) << msg.str();
    for (int i = 0; i < II; ++i) EXPECT_TRUE(std::isfinite(qf[i]) && std::isfinite(qr[i])) << "reaction " << i + 1;
    for (int k = 0; k < KK; ++k) EXPECT_TRUE(std::isfinite(wdot[k])) << "species " << k + 1;
    const auto term = [](double A, double b, double E) {
        return A * std::pow(T, b) * std::exp(-(double(4.18f) * E) / (double(8.31451f) * T));
    };
    const double at10 = term(-4.4e23, -3.278, 27795), at100 = term(-4.2e24, -3.418, 31817);
    const double fraction = std::log(2.0) / std::log(10.0);
    const double expected = -std::exp(std::log(-at10) + (std::log(-at100) - std::log(-at10)) * fraction);
    const double kf = m->Rckwrk()[m->Layout().rForwardConstants + 286];
    EXPECT_NEAR(kf / expected, 1.0, 1e-12) << kf << " vs " << expected;
}
