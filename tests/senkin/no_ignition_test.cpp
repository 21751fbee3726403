// Cases that do not ignite: a run stops once its state is steady or at the step limit and is
// recorded as no ignition; a slow ignition is never taken for a steady state; the step limit
// after an ignition stays a failure until the run has reached its end; a weak ignition whose
// temperature creeps on for years ends with its result.

#include <gtest/gtest.h>

#include "common/fixed_format.h"
#include "outside/senkin/ignition_run.h"
#include "senkin_test_support.h"

using namespace vantor;
using namespace vantor::senkin;
using namespace vantor::senkin::testing;

namespace {

const std::vector<std::pair<std::string, double>> kFuelInArgon = {{"H2", 1.0}, {"AR", 4.0}};
const std::vector<std::pair<std::string, double>> kFuelAndOxygen = {{"H2", 2.0}, {"O2", 1.0}, {"AR", 7.0}};

class NoIgnition : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    IgnitionFiles Files(const std::string& binary) const {
        return {binary, (dir_ / "SAVE.dat").string(), (dir_ / "Out.dat").string(), "chem.inp"};
    }
    RunReport Run(const std::string& binary, JobRecord job, long maxSteps = IntegratorSettings{}.maxSteps) {
        job.MaxTime = 1e10;
        RunOptions options;
        options.threads = 1;
        options.integrator.maxSteps = maxSteps;
        RunReport report = RunIgnitionJob(job, Files(binary), options, nullptr);
        listing_ = ReadText(dir_ / "Out.dat");
        save_ = report.status == kSenkinOk ? ReadText(dir_ / "SAVE.dat") : "";
        return report;
    }

    std::filesystem::path dir_;
    std::string listing_, save_;
};

}  // namespace

TEST_F(NoIgnition, FuelWithoutOxidizerStopsOnceSteadyAndASlowIgnitionRunsOn) {
    const std::string binary = CompileSmallMechanism("hydrogen", kHydrogenMechanism);
    const chem::Mechanism mech = LoadBinary(binary);
    RunReport report = Run(binary, MakeJob(mech, {10.0}, {2000.0}, {kFuelInArgon}));
    ASSERT_EQ(report.status, kSenkinOk) << listing_;
    const IntegrationOutcome& steady = report.cases[0].outcome;
    EXPECT_FALSE(steady.ignited);
    EXPECT_EQ(steady.stop, RunStop::Steady);
    EXPECT_LT(steady.endTime, 1e7);
    EXPECT_LT(steady.steps, 1000);
    EXPECT_GE(steady.endTime, 10.0 * steady.steadySince);
    const std::string until = FormatFull(steady.endTime);
    EXPECT_NE(save_.find("! no ignition: the temperature rose by less than 50 K up to " + until +
                         " s, where its state had become steady\r\nDTAUi(s)= " + until + "\r\n"),
              std::string::npos);
    EXPECT_NE(listing_.find("Stopped early: the state was steady from "), std::string::npos);

    // 700 K: the temperature stays flat for some 4e5 s while radicals build up.
    report = Run(binary, MakeJob(mech, {10.0}, {700.0}, {kFuelAndOxygen}));
    ASSERT_EQ(report.status, kSenkinOk) << listing_;
    const IntegrationOutcome& slow = report.cases[0].outcome;
    EXPECT_TRUE(slow.ignited);
    EXPECT_GT(slow.ignition.delay, 1e5);
    EXPECT_EQ(slow.stop, RunStop::EndTime);
}

TEST_F(NoIgnition, StepLimitBeforeAnIgnitionIsNoIgnitionWithAWarningAfterItAFailureUntilTheEnd) {
    const std::string binary = CompileSmallMechanism("hydrogen", kHydrogenMechanism);
    const chem::Mechanism mech = LoadBinary(binary);
    const JobRecord job = MakeJob(mech, {1.0}, {1000.0}, {kFuelAndOxygen});
    RunReport report = Run(binary, job, 20);
    ASSERT_EQ(report.status, kSenkinOk) << listing_;
    const IntegrationOutcome& o = report.cases[0].outcome;
    EXPECT_FALSE(o.ignited);
    EXPECT_EQ(o.stop, RunStop::StepLimit);
    EXPECT_NE(listing_.find("* WARNING: case 1 (mixture 1, 1 atm, 1000 K): the integrator's step limit of 20 steps "
                            "was reached before an ignition; no ignition by t = "),
              std::string::npos)
        << listing_;
    EXPECT_NE(save_.find("s, where the integrator's step limit stopped it\r\nDTAUi(s)= " + FormatFull(o.endTime)),
              std::string::npos);

    // Ignited, then stopped by the limit on its way to twice the delay: a failure; a limit that
    // comes only past twice the delay, while the run waits for the ignition to settle, ends the
    // run with its result. The fewest steps that reach the end, by bisection.
    const auto completes = [&](long steps) { return Run(binary, job, steps).status == kSenkinOk; };
    long ending = Run(binary, job).cases[0].outcome.steps, failing = ending / 2;
    ASSERT_FALSE(completes(failing)) << "the limit at half the steps should stop the ignition: " << listing_;
    while (ending - failing > 1) {
        const long middle = (failing + ending) / 2;
        (completes(middle) ? ending : failing) = middle;
    }
    report = Run(binary, job, failing);
    EXPECT_EQ(report.status, kSenkinCaseFailed);
    EXPECT_NE(listing_.find("* ERROR: case 1 (mixture 1, 1 atm, 1000 K): more than "), std::string::npos);
    report = Run(binary, job, ending);
    ASSERT_EQ(report.status, kSenkinOk) << listing_;
    const IntegrationOutcome& ended = report.cases[0].outcome;
    EXPECT_TRUE(ended.ignited);
    EXPECT_EQ(ended.stop, RunStop::EndTime);
    EXPECT_NEAR(ended.endTime, 2.0 * ended.ignition.delay, 1e-3 * ended.endTime);
}

TEST_F(NoIgnition, OverReducedMechanismDoesNotIgnite) {
    const std::string reduced = CompileSmallMechanism("over_reduced", kOverReducedHydrogenMechanism);
    const RunReport report = Run(reduced, MakeJob(LoadBinary(reduced), {1.0}, {1000.0, 1200.0}, {kFuelAndOxygen}));
    ASSERT_EQ(report.status, kSenkinOk) << listing_;
    for (const auto& c : report.cases) EXPECT_FALSE(c.outcome.ignited);
    EXPECT_EQ(report.cases[1].outcome.stop, RunStop::Steady);
}

// n-heptane in a reduced mechanism without the hydrogen-oxygen chain, 10 atm, 1000 K: the fuel's
// decomposition cools the mixture by 40 K, a small heat release peaks at 0.13 s, then the
// temperature creeps up by some 30 K per tenfold time and has risen by 50 K only after some 7e8 s.
TEST_F(NoIgnition, WeakIgnitionCreepingOnForYearsEndsAtTwiceTheTimeOfItsLargestSlope) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/cases/weak_ignition/";
    const std::string binary = (dir_ / "weak.bin").string();
    ASSERT_EQ(tolmar::CompileMechanismFiles(data + "reduced_sandiego.inp", data + "therm.dat", binary,
                                            (dir_ / "tolmar.out").string()),
              0);
    const RunReport report =
        Run(binary, MakeJob(LoadBinary(binary), {10.0}, {1000.0}, {{{"C7H16", 1.0}, {"O2", 11.0}, {"N2", 41.36}}}));
    ASSERT_EQ(report.status, kSenkinOk) << listing_;
    const IntegrationOutcome& o = report.cases[0].outcome;
    EXPECT_TRUE(o.ignited);
    EXPECT_NEAR(o.ignition.delay, 0.1346, 1e-3);
    EXPECT_GE(o.ignition.rise, 50.0);
    EXPECT_NEAR(o.endTime, 2.0 * o.ignition.delay, 1e-3 * o.endTime);
    EXPECT_LT(o.steps, 100000);
    EXPECT_NE(save_.find("DTAUi(s)= " + FormatFull(o.ignition.delay)), std::string::npos);
}
