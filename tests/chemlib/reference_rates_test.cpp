// GRI-Mech 3.0, compiled by the interpreter, against the independent reference values of
// tests/data/reference/gri30_rates.txt: rates of progress and species thermodynamics at six states.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "chemlib/mechanism.h"
#include "chemlib/reference_comparison.h"
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
    ExpectMatchesReference(m, states, 1e-6);
}
