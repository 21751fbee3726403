#include "outside/senkin/record_points.h"

#include <algorithm>

namespace vantor::senkin {
namespace {

std::vector<double> EvenTimes(double start, double end, int count, bool includeStart) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const double w = includeStart ? static_cast<double>(i) / count : static_cast<double>(i + 1) / count;
        times.push_back(start + w * (end - start));
    }
    return times;
}

}  // namespace

std::vector<double> RecordTimes(const Trajectory& trajectory, int points) {
    std::vector<double> times;
    if (points < 1 || trajectory.Steps() == 0) return times;
    const double endTime = trajectory.Time(trajectory.Steps() - 1);
    const double initialT = trajectory.Temperature(0);
    double highestT = initialT;
    for (size_t i = 0; i < trajectory.Steps(); ++i) highestT = std::max(highestT, trajectory.Temperature(i));
    const double rise = highestT - initialT;

    if (rise < kIgnitionRise) {
        if (points == 1) return {endTime};
        for (int i = 0; i < points; ++i) times.push_back(endTime * i / (points - 1));
        return times;
    }

    const int throughRise = (points + 1) / 2;
    const int before = (points - throughRise + 1) / 2;
    const int after = points - throughRise - before;
    std::vector<double> riseTimes;
    for (int j = 0; j < throughRise; ++j) {
        const double fraction = throughRise == 1 ? 0.5 : 0.05 + 0.9 * j / (throughRise - 1);
        // Every level lies below the highest temperature, so it is always reached.
        riseTimes.push_back(trajectory.FirstTimeAtTemperature(initialT + fraction * rise).value_or(endTime));
    }
    times = EvenTimes(trajectory.Time(0), riseTimes.front(), before, true);
    times.insert(times.end(), riseTimes.begin(), riseTimes.end());
    const auto tail = EvenTimes(riseTimes.back(), endTime, after, false);
    times.insert(times.end(), tail.begin(), tail.end());
    return times;
}

}  // namespace vantor::senkin
