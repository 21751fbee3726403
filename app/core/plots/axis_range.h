#pragma once
// Axis ranges the plots share: rounded linear ranges and whole decades for log axes.

#include <vector>

namespace vantor::plots {

struct AxisRange {
    double min = 0.0;
    double max = 1.0;
    int ticks = 2;  // tick marks including both ends; for a log axis, one per decade bound
};

// [min, max] widened to multiples of a 1-2-5 step with at most about `maxTicks` ticks. A single
// value gets a range around it.
AxisRange RoundedLinearRange(double min, double max, int maxTicks = 6);

// The whole decades around [min, max] (both above 0), at least one decade wide.
AxisRange DecadeRange(double min, double max);

// Round temperatures (multiples of 25, 50, 100, ... K) inside the span of a 1000/T axis from
// `inverseMin` to `inverseMax` (both above 0), far enough apart that their labels do not overlap.
std::vector<double> RoundTemperatures(double inverseMin, double inverseMax, int maxCount = 8);

}  // namespace vantor::plots
