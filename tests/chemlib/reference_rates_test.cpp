// GRI-Mech 3.0, compiled by the interpreter, against the independent reference values of
// tests/data/reference/gri30_rates.txt: rates of progress and species thermodynamics at six states.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "chemlib/reference_data.h"
#include "outside/tolmar/tolmar.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;
namespace fs = std::filesystem;

namespace {

class ReferenceRates : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/chemlib-reference-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";
        const std::string bin = folder_ + "/Chem.bin";
        ASSERT_EQ(
            vantor::tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", bin, folder_ + "/Out.dat"), 0);
        mechanism_ = new Mechanism;
        std::ostringstream msg;
        ASSERT_EQ(mechanism_->Load(bin, msg), 0) << msg.str();
    }
    static void TearDownTestSuite() {
        delete mechanism_;
        mechanism_ = nullptr;
        fs::remove_all(folder_);
    }

    static inline std::string folder_;
    static inline Mechanism* mechanism_ = nullptr;
};

}  // namespace

TEST_F(ReferenceRates, RatesOfProgressAndThermodynamicsAtSixStates) {
    ASSERT_NE(mechanism_, nullptr);
    Mechanism& m = *mechanism_;
    const auto states = ReadReference(std::string(VANTOR_TEST_DATA_DIR) + "/reference/gri30_rates.txt");
    ASSERT_EQ(states.size(), 6u);
    ASSERT_EQ(m.KK(), 53);
    ASSERT_EQ(m.II(), 325);
    const int KK = m.KK(), II = m.II();

    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II), H(KK), cp(KK), SMH(KK);
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 7) / 206.0;
    m.MoleToMassFractions(X.data(), Y.data());
    for (const StateReference& s : states) {
        SCOPED_TRACE("T = " + std::to_string(s.T) + " K, P = " + std::to_string(s.Patm) + " atm");
        ASSERT_EQ(int(s.species.size()), KK);
        ASSERT_EQ(int(s.reactions.size()), II);
        std::ostringstream msg;
        ASSERT_EQ(m.ProductionRates(msg, s.Patm * 1013250.0, s.T, Y.data(), wdot.data(), qf.data(), qr.data()), 0)
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

        m.Enthalpies(s.T, H.data());
        m.HeatCapacities(s.T, cp.data());
        m.Library().EntropyMinusEnthalpy(s.T, m.Ickwrk(), m.Rckwrk(), SMH.data());
        const double RT = 83145100.0 * s.T;
        for (int k = 0; k < KK; ++k) {
            const auto& ref = s.species[k];
            EXPECT_EQ(m.SpeciesName(k + 1), ref.name);
            EXPECT_TRUE(Close(H[k], ref.H, 1e-6, 1e-3 * RT)) << ref.name << " H " << H[k] << " vs " << ref.H;
            EXPECT_TRUE(Close(SMH[k], ref.GS, 1e-6, 1e-3)) << ref.name << " S/R-H/RT " << SMH[k] << " vs " << ref.GS;
            EXPECT_TRUE(Close(cp[k], ref.CpR, 1e-6)) << ref.name << " cp/R " << cp[k] << " vs " << ref.CpR;
        }
    }
}
