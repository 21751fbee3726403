#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "chemlib/mechanism_layout.h"
#include "outside/psr/psr_equations.h"
#include "outside/psr/psr_newton.h"
#include "outside/psr/stirred_reactor.h"
#include "psr/psr_test_support.h"

namespace vantor::psr {
namespace {

using testing::LoadHydrogen;
using testing::Mixture;

// H2/air at phi 1, 1 atm, 300 K on the Li et al. mechanism, as this solver finds it.
constexpr double kHydrogenAirExtinctionTime = 1.511067e-05;  // s

StirredReactorRequest HydrogenAir(const chem::Mechanism& mechanism) {
    return {chem::kAtmosphere, 300.0, Mixture(mechanism, {{"H2", 2.0}, {"O2", 1.0}, {"N2", 3.76}}), {}};
}

TEST(StirredReactor, HydrogenAirTurningPointIsTheMinimumOfTheBranch) {
    chem::Mechanism mechanism = LoadHydrogen();
    const StirredReactorRequest request = HydrogenAir(mechanism);
    const StirredReactorResult r = SolveStirredReactor(mechanism, request);
    ASSERT_EQ(r.outcome, StirredReactorOutcome::kExtinctionFound) << r.message;
    EXPECT_NEAR(r.extinctionTime, kHydrogenAirExtinctionTime, 1e-3 * kHydrogenAirExtinctionTime);
    EXPECT_GT(r.extinctionTime, 1e-6);
    EXPECT_LT(r.extinctionTime, 1e-3);
    // Hydrogen keeps burning far below the hydrocarbons' extinction temperatures.
    EXPECT_GT(r.extinctionTemperature, 1100.0);
    EXPECT_LT(r.extinctionTemperature, 1400.0);

    // The branch runs from tau = 1 s (near equilibrium, about 2390 K) down to the turning point.
    ASSERT_GE(r.residenceTime.size(), 10u);
    ASSERT_EQ(r.residenceTime.size(), r.temperature.size());
    EXPECT_DOUBLE_EQ(r.residenceTime.front(), 1.0);
    EXPECT_NEAR(r.temperature.front(), 2388.0, 5.0);
    for (size_t i = 1; i < r.residenceTime.size(); ++i) {
        EXPECT_LT(r.temperature[i], r.temperature[i - 1]) << i;
        EXPECT_LE(r.residenceTime[i], r.residenceTime[i - 1]) << i;
    }
    EXPECT_EQ(r.residenceTime.back(), r.extinctionTime);

    // The reported state solves the steady equations, and a few kelvin either side of it the
    // branch needs a longer residence time.
    std::vector<double> Yin(request.moleFractions.size());
    mechanism.MoleToMassFractions(request.moleFractions.data(), Yin.data());
    StirredReactorEquations eq(mechanism, request.pressure, Yin, request.inletTemperature);
    ReactorState ext{r.extinctionMassFractions, r.extinctionTemperature, std::log(r.extinctionTime)};
    std::vector<double> G(static_cast<size_t>(eq.Size()));
    ASSERT_TRUE(eq.Residuals(ext, G.data()));
    EXPECT_LT(ResidualNorm(G, request.inletTemperature), 1e-10);
    double sum = 0.0;
    for (const double y : ext.massFractions) sum += y;
    EXPECT_NEAR(sum, 1.0, 1e-10);
    for (const double dT : {-5.0, 5.0}) {
        ReactorState side = ext;
        side.temperature += dT;
        const NewtonReport n = SolveNewton(eq, LastUnknown::kLogResidenceTime, side, 20);
        ASSERT_TRUE(n.converged) << n.error;
        EXPECT_GT(side.logResidenceTime, ext.logResidenceTime) << dT;
    }
}

// Lean n-heptane/air has a cool-flame state near 950 K at tau = 1 s, where Newton from the
// products used to land; its "extinction" then came from a branch of one point.
TEST(StirredReactor, LeanHeptaneStartsOnTheHotBranchNotTheCoolFlame) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/nc7_llnl_sk88";
    const std::string bin = (testing::TestFolder() / "sk88.bin").string();
    tolmar::CompileMechanismFiles(data + "/chem.inp", data + "/therm.dat", bin,
                                  (testing::TestFolder() / "sk88.out").string());
    chem::Mechanism mechanism;
    std::ostringstream messages;
    ASSERT_EQ(mechanism.Load(bin, messages), 0) << messages.str();
    const StirredReactorRequest request{
        chem::kAtmosphere, 300.0, Mixture(mechanism, {{"nc7h16", 0.5}, {"o2", 11.0}, {"n2", 41.36}}), {}};
    const StirredReactorResult r = SolveStirredReactor(mechanism, request);
    ASSERT_EQ(r.outcome, StirredReactorOutcome::kExtinctionFound) << r.message;
    EXPECT_GT(r.temperature.front(), 1450.0);  // complete combustion: 1516 K
    EXPECT_GE(r.residenceTime.size(), 10u);
    EXPECT_NEAR(r.extinctionTime, 1.0077e-3, 1e-2 * 1.0077e-3);
}

TEST(StirredReactor, MixturesWithoutABurningStateAreNamedNotFlammable) {
    chem::Mechanism mechanism = LoadHydrogen();
    for (const auto& amounts : std::vector<std::vector<std::pair<std::string, double>>>{
             {{"N2", 1.0}}, {{"H2", 0.01}, {"O2", 0.21}, {"N2", 0.79}}}) {
        StirredReactorRequest request{chem::kAtmosphere, 300.0, Mixture(mechanism, amounts), {}};
        const StirredReactorResult r = SolveStirredReactor(mechanism, request);
        EXPECT_EQ(r.outcome, StirredReactorOutcome::kNotFlammable) << r.message;
        EXPECT_NE(r.message.find("not flammable"), std::string::npos) << r.message;
        EXPECT_EQ(r.extinctionTime, 0.0);
    }
}

TEST(StirredReactor, BadRequestsAreRefusedWithTheValueAtFault) {
    chem::Mechanism mechanism = LoadHydrogen();
    StirredReactorRequest request = HydrogenAir(mechanism);
    request.moleFractions.pop_back();
    StirredReactorResult r = SolveStirredReactor(mechanism, request);
    EXPECT_EQ(r.outcome, StirredReactorOutcome::kNoConvergence);
    EXPECT_NE(r.message.find("mole fractions for"), std::string::npos) << r.message;

    request = HydrogenAir(mechanism);
    request.moleFractions[static_cast<size_t>(mechanism.SpeciesIndex("O2") - 1)] = -0.1;
    r = SolveStirredReactor(mechanism, request);
    EXPECT_NE(r.message.find("O2"), std::string::npos) << r.message;

    request = HydrogenAir(mechanism);
    request.inletTemperature = std::nan("");
    r = SolveStirredReactor(mechanism, request);
    EXPECT_NE(r.message.find("inlet temperature"), std::string::npos) << r.message;
}

}  // namespace
}  // namespace vantor::psr
