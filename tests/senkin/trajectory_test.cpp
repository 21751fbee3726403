#include <gtest/gtest.h>

#include <cmath>

#include "outside/senkin/record_points.h"
#include "outside/senkin/trajectory.h"

using namespace vantor::senkin;

namespace {

// A state of two values: a mass fraction and the temperature (index 1).
Trajectory Steps(const std::vector<std::pair<double, double>>& timeAndTemperature) {
    Trajectory t(2, 1);
    for (const auto& [time, T] : timeAndTemperature) {
        const double state[2] = {time, T};
        t.Append(time, state, 0.0);
    }
    return t;
}

// A smooth ignition: T = 1000 + 1500 / (1 + exp(-(t - 1) / 0.01)) on uneven steps, with the
// exact slope; its largest slope is at t = 1.
Trajectory SmoothIgnition(double end) {
    Trajectory t(2, 1);
    double time = 0.0, h = 0.05;
    while (time <= end) {
        const double e = std::exp(-(time - 1.0) / 0.01);
        const double T = 1000.0 + 1500.0 / (1.0 + e);
        const double slope = 1500.0 * e / (0.01 * (1.0 + e) * (1.0 + e));
        const double state[2] = {0.0, T};
        t.Append(time, state, slope);
        h = std::fabs(time - 1.0) < 0.1 ? 0.0037 : 0.05;
        time += h;
    }
    return t;
}

}  // namespace

TEST(Trajectory, InterpolatesStatesAndTemperatureCrossings) {
    const Trajectory t = Steps({{0.0, 1000.0}, {1.0, 1000.0}, {2.0, 1400.0}, {4.0, 1300.0}, {5.0, 1500.0}});
    double state[2];
    t.StateAt(1.5, state);
    EXPECT_DOUBLE_EQ(state[0], 1.5);
    EXPECT_DOUBLE_EQ(state[1], 1200.0);
    t.StateAt(-1.0, state);
    EXPECT_DOUBLE_EQ(state[1], 1000.0);
    t.StateAt(9.0, state);
    EXPECT_DOUBLE_EQ(state[1], 1500.0);
    EXPECT_DOUBLE_EQ(*t.FirstTimeAtTemperature(1100.0), 1.25);
    EXPECT_DOUBLE_EQ(*t.FirstTimeAtTemperature(1350.0), 1.875);  // first crossing, not the later one
    EXPECT_DOUBLE_EQ(*t.FirstTimeAtTemperature(1000.0), 0.0);
    EXPECT_FALSE(t.FirstTimeAtTemperature(1600.0).has_value());
}

TEST(Trajectory, EndsAtAnyTimeWithTheInterpolatedState) {
    Trajectory t = Steps({{0.0, 1000.0}, {1.0, 1100.0}, {2.0, 1300.0}, {3.0, 1600.0}});
    t.EndAt(1.5);
    ASSERT_EQ(t.Steps(), 3u);
    EXPECT_DOUBLE_EQ(t.Time(2), 1.5);
    EXPECT_DOUBLE_EQ(t.Temperature(2), 1200.0);
    t.EndAt(1.0);  // exactly on a step: no duplicate
    ASSERT_EQ(t.Steps(), 2u);
    EXPECT_DOUBLE_EQ(t.Temperature(1), 1100.0);
    t.EndAt(7.0);  // past the end: nothing changes
    EXPECT_EQ(t.Steps(), 2u);
}

TEST(Trajectory, IgnitionDelayIsRefinedBetweenTheSteps) {
    const Trajectory t = SmoothIgnition(3.0);
    const IgnitionSummary s = SummariseIgnition(t);
    EXPECT_NEAR(s.delay, 1.0, 2e-4);  // the steps near t = 1 are 0.0037 apart
    EXPECT_NEAR(s.highestTemperature, 2500.0, 1e-6);
    EXPECT_NEAR(s.rise, 1500.0, 1e-6);
    EXPECT_DOUBLE_EQ(s.finalTemperature, t.Temperature(t.Steps() - 1));
    EXPECT_NEAR(s.peakSlope, 1500.0 / 0.04, 0.02 * 1500.0 / 0.04);
}

TEST(RecordPoints, SpreadsAnIgnitionBeforeThroughAndAfterTheRise) {
    const Trajectory t = SmoothIgnition(2.0);
    const double end = t.Time(t.Steps() - 1);
    const auto times = RecordTimes(t, 20);
    ASSERT_EQ(times.size(), 20u);
    EXPECT_EQ(times.front(), 0.0);
    EXPECT_DOUBLE_EQ(times.back(), end);
    for (size_t i = 1; i < times.size(); ++i) EXPECT_LT(times[i - 1], times[i]) << i;
    // 5 before the rise at equal steps of time, 10 through it at equal steps of temperature
    // from 5 % to 95 %, 5 after it.
    const double firstLevel = *t.FirstTimeAtTemperature(1000.0 + 0.05 * 1500.0);
    const double lastLevel = *t.FirstTimeAtTemperature(1000.0 + 0.95 * 1500.0);
    EXPECT_DOUBLE_EQ(times[5], firstLevel);
    EXPECT_DOUBLE_EQ(times[14], lastLevel);
    EXPECT_NEAR(times[1], firstLevel / 5, 1e-12);
    EXPECT_NEAR(times[15] - times[14], (end - lastLevel) / 5, 1e-12);
    int throughRise = 0;
    for (const double time : times) throughRise += time >= firstLevel && time <= lastLevel;
    EXPECT_EQ(throughRise, 10);
}

TEST(RecordPoints, SmallCountsKeepTheRiseFirst) {
    const Trajectory t = SmoothIgnition(2.0);
    const double middle = *t.FirstTimeAtTemperature(1750.0);
    EXPECT_EQ(RecordTimes(t, 1), std::vector<double>({middle}));
    const auto two = RecordTimes(t, 2);  // one before (the initial state), one at mid-rise
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], 0.0);
    EXPECT_DOUBLE_EQ(two[1], middle);
    EXPECT_EQ(RecordTimes(t, 3).size(), 3u);
    EXPECT_EQ(RecordTimes(t, 0).size(), 0u);
}

TEST(RecordPoints, WithoutIgnitionUsesEqualTimeSteps) {
    const Trajectory t = Steps({{0.0, 1000.0}, {3.0, 1030.0}, {4.0, 1049.0}});
    EXPECT_EQ(RecordTimes(t, 5), std::vector<double>({0.0, 1.0, 2.0, 3.0, 4.0}));
    EXPECT_EQ(RecordTimes(t, 1), std::vector<double>({4.0}));
}
