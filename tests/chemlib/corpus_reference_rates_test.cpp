// Mechanisms from the field with irregular thermo files, compiled by the interpreter, against the
// independent reference values of tests/data/reference: dmm_pyrolysis (blank exponent signs) and
// hashemi2016 (real-valued element counts, common temperatures spilling into column 74).

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "chemlib/mechanism.h"
#include "outside/tolmar/tolmar.h"
#include "chemlib/reference_comparison.h"

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
        ExpectMatchesReference(m, states, 1e-6, PressureTableReactions(reference), refusedStates);
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
