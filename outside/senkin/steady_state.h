#pragma once
// When a run that has not ignited may stop: its state no longer changes.
//
// The rule: the state is steady at step time t when, since an earlier step at time t0 with
// t >= 10 t0 and at least 10 steps before t,
//   |Y_k(t) - Y_k(t0)| <= 1e-4 max(|Y_k(t)|, |Y_k(t0)|, 1e-20)   for every species k, and
//   |T(t) - T(t0)|     <= 1e-6 T(t0),
// that is, while the time grew tenfold no mass fraction changed by more than 1e-4 of itself and
// the temperature by no more than 1e-6 of itself (about a millikelvin: a slow heat release that
// could still run away later shows there first). Mass fractions below 1e-20 (about one molecule
// in a cubic centimetre at atmospheric pressure) are measured against 1e-20. The window
// restarts at the first step that breaks the rule. Chemical equilibrium is such a state. A drift
// slower than some 1e4 times the time reached is not followed.
//
// Changes over the window, not derivatives: at long times the integrator's derivatives of trace
// species near its absolute tolerance are noise that grows with its step count, while their
// values stay put.
//
// Why a long induction is not taken for a steady state: a species that builds up from nothing
// grows at least linearly, so over a tenfold time it gains 90 % of its amount or more; radicals,
// intermediates and products accumulating while the temperature stays nearly flat therefore
// break the rule by four orders of magnitude until they stop changing.

#include <vector>

namespace vantor::senkin {

inline constexpr double kSteadyRelativeChange = 1e-4;
inline constexpr double kSteadyTemperatureChange = 1e-6;
inline constexpr double kSteadyMassFractionFloor = 1e-20;
inline constexpr double kSteadyWindowFactor = 10.0;
inline constexpr int kSteadyWindowSteps = 10;

class SteadyStateWatch {
public:
    // A state is `species` mass fractions followed by the temperature.
    explicit SteadyStateWatch(int species) : species_(species) {}

    // Takes the step at time t > 0; true once the state has been steady for a whole window.
    bool Observe(double t, const double* state);

    // The time the window began (meaningful once Observe returned true).
    double SteadySince() const { return since_; }

private:
    bool MovedFromStart(const double* state) const;

    int species_;
    std::vector<double> start_;  // the state at the window's start
    double since_ = 0.0;
    int steps_ = 0;
};

}  // namespace vantor::senkin
