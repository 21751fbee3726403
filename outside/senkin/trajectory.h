#pragma once
// The states an ignition run passes through, one per internal integrator step, and what is read
// from them: the ignition delay (time of the largest dT/dt), the temperature rise, and states at
// any time or temperature between the steps.

#include <cstddef>
#include <optional>
#include <vector>

namespace vantor::senkin {

class Trajectory {
public:
    Trajectory(int stateSize, int temperatureIndex);

    void Append(double time, const double* state, double temperatureSlope);
    void Clear() { data_.clear(); }

    size_t Steps() const { return data_.size() / stride_; }
    int StateSize() const { return static_cast<int>(stride_) - 2; }
    double Time(size_t i) const { return data_[i * stride_]; }
    double TemperatureSlope(size_t i) const { return data_[i * stride_ + 1]; }
    const double* State(size_t i) const { return &data_[i * stride_ + 2]; }
    double Temperature(size_t i) const { return State(i)[temperatureIndex_]; }

    // The state at `time`, linear between the neighbouring steps (clamped to the first and last).
    void StateAt(double time, double* out) const;
    // The first time the temperature reaches `level` (linear between steps); nullopt if never.
    std::optional<double> FirstTimeAtTemperature(double level) const;
    // Drops the steps after `time` and ends the trajectory with the state at exactly `time`.
    void EndAt(double time);

private:
    size_t Bracket(double time) const;  // last step i with Time(i) <= time (0 if none)
    std::vector<double> data_;          // per step: time, dT/dt, state
    size_t stride_;
    int temperatureIndex_;
};

struct IgnitionSummary {
    double delay = 0.0;               // s, time of the largest dT/dt
    double peakSlope = 0.0;           // K/s, the largest dT/dt
    double highestTemperature = 0.0;  // K
    double rise = 0.0;                // K, highest minus initial temperature
    double finalTemperature = 0.0;    // K, at the last step
};

// Reads the ignition from the steps. The delay is refined between the steps around the largest
// dT/dt by the vertex of the parabola through the three slopes, so it does not hang on the step
// grid.
IgnitionSummary SummariseIgnition(const Trajectory& trajectory);

}  // namespace vantor::senkin
