#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "outside/senkin/case_plan.h"

using namespace vantor;
using namespace vantor::senkin;

namespace {

// Two mixtures, two pressures, three temperatures, on a mechanism of 10 species.
JobRecord SmallJob() {
    JobRecord job{};
    job.NPress = 2;
    job.NTemp = 3;
    job.NMix = 2;
    job.Press[0] = 1.0;
    job.Press[1] = 10.0;
    job.Temp[0] = 900.0;
    job.Temp[1] = 1000.0;
    job.Temp[2] = 1100.0;
    job.mixIndex(1, 0) = 2;
    job.mixIndex(1, 1) = 4;
    job.mixAmount(1, 1) = 1.0;
    job.mixIndex(1, 2) = 3;
    job.mixAmount(1, 2) = 2.0;
    job.mixIndex(2, 0) = 1;
    job.mixIndex(2, 1) = 7;
    job.mixAmount(2, 1) = 5.0;
    job.EndTime = 2.0;
    job.EndTimeMode = 2;
    job.NPoints = 20;
    job.MaxTime = 1e10;
    job.TimeStep = 1e-8;
    return job;
}

std::string PlanError(const std::function<void(JobRecord&)>& spoil) {
    JobRecord job = SmallJob();
    spoil(job);
    std::string error;
    EXPECT_FALSE(PlanCases(job, 10, error).has_value());
    return error;
}

}  // namespace

TEST(CasePlan, RunsMixtureOutermostThenPressureThenTemperature) {
    std::string error;
    const auto plan = PlanCases(SmallJob(), 10, error);
    ASSERT_TRUE(plan) << error;
    ASSERT_EQ(plan->cases.size(), 12u);
    EXPECT_EQ(plan->cases[0].number, 1);
    EXPECT_EQ(plan->cases[1].temperature, 1000.0);  // temperature varies fastest
    EXPECT_EQ(plan->cases[3].pressureAtm, 10.0);
    EXPECT_EQ(plan->cases[3].temperature, 900.0);
    EXPECT_EQ(plan->cases[5].mixture, 0);
    EXPECT_EQ(plan->cases[6].mixture, 1);  // mixture outermost
    EXPECT_EQ(plan->cases[6].pressureAtm, 1.0);
    EXPECT_EQ(plan->cases[11].number, 12);
    EXPECT_EQ(DescribeCase(plan->cases[4]), "case 5 (mixture 1, 10 atm, 1000 K)");
    EXPECT_EQ(plan->endMode, EndTimeMode::IgnitionDelay);
    EXPECT_EQ(plan->points, 20);
    EXPECT_EQ(plan->firstStep, 1e-8);
}

TEST(CasePlan, NormalisesAmountsMergesRepeatsAndDropsZeros) {
    JobRecord job = SmallJob();
    job.mixIndex(1, 0) = 4;
    job.mixIndex(1, 3) = 4;  // species 4 again
    job.mixAmount(1, 3) = 1.0;
    job.mixIndex(1, 4) = 9;
    job.mixAmount(1, 4) = 0.0;
    std::string error;
    const auto plan = PlanCases(job, 10, error);
    ASSERT_TRUE(plan) << error;
    const Mixture& m = plan->mixtures[0];
    EXPECT_EQ(m.species, (std::vector<int32_t>{4, 3}));
    ASSERT_EQ(m.moleFractions.size(), 2u);
    EXPECT_DOUBLE_EQ(m.moleFractions[0], 0.5);
    EXPECT_DOUBLE_EQ(m.moleFractions[1], 0.5);
    EXPECT_DOUBLE_EQ(plan->mixtures[1].moleFractions[0], 1.0);
}

TEST(CasePlan, RefusesNonsenseCountsWithTheirValues) {
    EXPECT_EQ(PlanError([](JobRecord& j) { j.NPress = -1; }), "NPress = -1 is outside 1..50");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.NTemp = 51; }), "NTemp = 51 is outside 1..50");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.NMix = 0; }), "NMix = 0 is outside 1..50");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.NPoints = 0; }), "NPoints = 0 is outside 1..2000");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.NPoints = 2001; }), "NPoints = 2001 is outside 1..2000");
    EXPECT_NE(PlanError([](JobRecord& j) {
                  j.NMix = 40;
                  j.NPress = 10;
                  j.NTemp = 5;
              }).find("2000 cases"),
              std::string::npos);
}

TEST(CasePlan, RefusesBadMixturesNamingTheMixture) {
    EXPECT_EQ(PlanError([](JobRecord& j) { j.mixIndex(2, 0) = 0; }), "mixture 2: no species");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.mixIndex(2, 0) = 51; }), "mixture 2: species count 51 is outside 1..50");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.mixIndex(1, 2) = 11; }),
              "mixture 1: species number 11 (entry 2) is outside the mechanism's 1..10");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.mixIndex(1, 1) = 0; }),
              "mixture 1: species number 0 (entry 1) is outside the mechanism's 1..10");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.mixAmount(1, 1) = -1.0; }),
              "mixture 1: amount -1 of species 4 is not a number of 0 or more");
    EXPECT_NE(PlanError([](JobRecord& j) { j.mixAmount(2, 1) = std::nan(""); }).find("mixture 2: amount"),
              std::string::npos);
    EXPECT_EQ(PlanError([](JobRecord& j) {
                  j.mixAmount(1, 1) = 0.0;
                  j.mixAmount(1, 2) = 0.0;
              }),
              "mixture 1: every amount is 0");
    EXPECT_EQ(PlanError([](JobRecord& j) {
                  j.mixAmount(1, 1) = std::numeric_limits<double>::max();
                  j.mixAmount(1, 2) = std::numeric_limits<double>::max();
              }),
              "mixture 1: the amounts do not add up to a finite sum");
}

TEST(CasePlan, RefusesStatesNotAboveZeroNamingTheFirstCaseThatUsesThem) {
    EXPECT_EQ(PlanError([](JobRecord& j) { j.Press[1] = 0.0; }),
              "case 4 (mixture 1, 0 atm, 900 K): pressure 2 (0 atm) is not above 0");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.Temp[2] = -300.0; }),
              "case 3 (mixture 1, 1 atm, -300 K): temperature 3 (-300 K) is not above 0");
    EXPECT_NE(PlanError([](JobRecord& j) { j.Temp[0] = std::nan(""); }).find("temperature 1"), std::string::npos);
}

TEST(CasePlan, RefusesBadTimes) {
    EXPECT_EQ(PlanError([](JobRecord& j) { j.EndTimeMode = 3; }),
              "EndTimeMode = 3 is not 0 (tmax), 1 (sec) or 2 (Tig)");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.EndTime = 0.0; }), "end time 0 is not above 0");
    EXPECT_EQ(PlanError([](JobRecord& j) { j.MaxTime = -1.0; }), "max. time -1 s is not above 0");
}

TEST(CasePlan, IgnoresAFirstStepThatCannotBeUsed) {
    for (const double step : {0.0, -1e-8, 1e20, std::nan("")}) {
        JobRecord job = SmallJob();
        job.TimeStep = step;
        std::string error;
        const auto plan = PlanCases(job, 10, error);
        ASSERT_TRUE(plan) << error;
        EXPECT_EQ(plan->firstStep, 0.0) << step;
    }
}
