#include "outside/senkin/trajectory.h"

#include <algorithm>

namespace vantor::senkin {

Trajectory::Trajectory(int stateSize, int temperatureIndex)
    : stride_(static_cast<size_t>(stateSize) + 2), temperatureIndex_(temperatureIndex) {}

void Trajectory::Append(double time, const double* state, double temperatureSlope) {
    data_.push_back(time);
    data_.push_back(temperatureSlope);
    data_.insert(data_.end(), state, state + (stride_ - 2));
}

size_t Trajectory::Bracket(double time) const {
    size_t lo = 0, hi = Steps();
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        if (Time(mid) <= time) lo = mid; else hi = mid;
    }
    return lo;
}

void Trajectory::StateAt(double time, double* out) const {
    const size_t n = stride_ - 2;
    const size_t i = Bracket(time);
    if (i + 1 >= Steps() || time <= Time(i)) {
        std::copy_n(State(time <= Time(0) ? 0 : i), n, out);
        return;
    }
    const double w = (time - Time(i)) / (Time(i + 1) - Time(i));
    const double* a = State(i);
    const double* b = State(i + 1);
    for (size_t k = 0; k < n; ++k) out[k] = a[k] + w * (b[k] - a[k]);
}

std::optional<double> Trajectory::FirstTimeAtTemperature(double level) const {
    if (Steps() == 0) return std::nullopt;
    if (Temperature(0) >= level) return Time(0);
    for (size_t i = 1; i < Steps(); ++i) {
        const double tb = Temperature(i);
        if (tb < level) continue;
        const double ta = Temperature(i - 1);
        const double w = (level - ta) / (tb - ta);
        return Time(i - 1) + w * (Time(i) - Time(i - 1));
    }
    return std::nullopt;
}

void Trajectory::EndAt(double time) {
    if (Steps() == 0 || time >= Time(Steps() - 1)) return;
    const size_t i = Bracket(time);
    std::vector<double> last(stride_);
    last[0] = time;
    StateAt(time, &last[2]);
    const double w = i + 1 < Steps() ? (time - Time(i)) / (Time(i + 1) - Time(i)) : 0.0;
    last[1] = TemperatureSlope(i) + w * (TemperatureSlope(i + 1) - TemperatureSlope(i));
    data_.resize((Time(i) < time ? i + 1 : i) * stride_);
    data_.insert(data_.end(), last.begin(), last.end());
}

namespace {

// Vertex of the parabola through (t0, s0), (t1, s1), (t2, s2), kept only if it lies between
// t0 and t2 (otherwise the middle time, the step with the largest slope, stands).
double ParabolaVertex(double t0, double s0, double t1, double s1, double t2, double s2) {
    const double d1 = (s1 - s0) / (t1 - t0);
    const double d2 = (s2 - s1) / (t2 - t1);
    const double curvature = (d2 - d1) / (t2 - t0);
    if (!(curvature < 0.0)) return t1;
    const double vertex = 0.5 * (t0 + t1) - d1 / (2.0 * curvature);
    return vertex > t0 && vertex < t2 ? vertex : t1;
}

}  // namespace

IgnitionSummary SummariseIgnition(const Trajectory& trajectory) {
    IgnitionSummary s;
    const size_t n = trajectory.Steps();
    if (n == 0) return s;
    size_t peak = 0;
    s.highestTemperature = trajectory.Temperature(0);
    for (size_t i = 0; i < n; ++i) {
        if (trajectory.TemperatureSlope(i) > trajectory.TemperatureSlope(peak)) peak = i;
        s.highestTemperature = std::max(s.highestTemperature, trajectory.Temperature(i));
    }
    s.peakSlope = trajectory.TemperatureSlope(peak);
    s.delay = trajectory.Time(peak);
    if (peak > 0 && peak + 1 < n) {
        s.delay = ParabolaVertex(trajectory.Time(peak - 1), trajectory.TemperatureSlope(peak - 1),
                                 trajectory.Time(peak), trajectory.TemperatureSlope(peak),
                                 trajectory.Time(peak + 1), trajectory.TemperatureSlope(peak + 1));
    }
    s.rise = s.highestTemperature - trajectory.Temperature(0);
    s.finalTemperature = trajectory.Temperature(n - 1);
    return s;
}

}  // namespace vantor::senkin
