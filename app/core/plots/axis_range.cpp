#include "app/core/plots/axis_range.h"

#include <algorithm>
#include <cmath>

namespace vantor::plots {

AxisRange RoundedLinearRange(double min, double max, int maxTicks) {
    if (max < min) std::swap(min, max);
    if (max - min <= std::abs(max) * 1e-12) {
        const double half = max == 0.0 ? 1.0 : std::abs(max) * 0.05;
        min -= half;
        max += half;
    }
    const double rough = (max - min) / std::max(1, maxTicks - 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude * 10.0;
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (magnitude * factor >= rough * (1.0 - 1e-9)) {
            step = magnitude * factor;
            break;
        }
    }
    AxisRange range;
    range.min = std::floor(min / step + 1e-9) * step;
    range.max = std::ceil(max / step - 1e-9) * step;
    range.ticks = static_cast<int>(std::lround((range.max - range.min) / step)) + 1;
    return range;
}

AxisRange DecadeRange(double min, double max) {
    if (max < min) std::swap(min, max);
    AxisRange range;
    double low = std::floor(std::log10(min) + 1e-9);
    double high = std::ceil(std::log10(max) - 1e-9);
    if (high <= low) high = low + 1.0;
    range.min = std::pow(10.0, low);
    range.max = std::pow(10.0, high);
    range.ticks = static_cast<int>(high - low) + 1;
    return range;
}

std::vector<double> RoundTemperatures(double inverseMin, double inverseMax, int maxCount) {
    if (inverseMax < inverseMin) std::swap(inverseMin, inverseMax);
    const double lowest = 1000.0 / inverseMax;
    const double highest = 1000.0 / inverseMin;
    // Candidates on a fine and a coarse grid; the first grid that gives few enough labels holds.
    for (const double step : {25.0, 50.0, 100.0, 200.0, 250.0, 500.0, 1000.0}) {
        std::vector<double> values;
        for (double t = std::ceil(lowest / step) * step; t <= highest * (1.0 + 1e-12); t += step) values.push_back(t);
        // Labels closer than 1/12 of the axis would overlap.
        std::vector<double> kept;
        const double minGap = (inverseMax - inverseMin) / 12.0;
        for (const double t : values) {
            if (kept.empty() || 1000.0 / kept.back() - 1000.0 / t >= minGap) kept.push_back(t);
        }
        if (static_cast<int>(kept.size()) <= maxCount) return kept;
    }
    return {};
}

}  // namespace vantor::plots
