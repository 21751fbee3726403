#pragma once
// Which states of an ignition run are written to the standard data.
//
// The rule that spreads the N recorded states over a run that ends at t_end:
// - When the temperature rises by at least 50 K within the recorded time (an ignition), half of
//   the points (N/2 rounded up) sit at equal steps of temperature from 5 % to 95 % of the rise
//   (each at the first time that temperature is reached), so the ignition is resolved however
//   short it is. Of the rest, half (rounded up) sit at equal steps of time before the rise,
//   beginning with the initial state, and the others at equal steps of time after it, ending with
//   the state at t_end. With 20 points: 5 before, 10 through the rise, 5 after.
// - Otherwise the N points sit at equal steps of time from the initial state to t_end (one
//   point: the state at t_end).

#include <vector>

#include "outside/senkin/trajectory.h"

namespace vantor::senkin {

// Temperature rise that counts as an ignition, K.
inline constexpr double kIgnitionRise = 50.0;

// The times of the `points` recorded states of a trajectory that ends at the run's end time, in
// increasing order.
std::vector<double> RecordTimes(const Trajectory& trajectory, int points);

}  // namespace vantor::senkin
