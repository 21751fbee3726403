#pragma once
// When a run that has not ignited may stop: its state no longer changes.
//
// The rule, checked at every integrator step at time t, with the integrator's own derivative
// (the slope of its interpolating polynomial, which stays smooth at long times where the
// right-hand side of a state already at rest is dominated by the noise of its trace species):
//   t |dY_k/dt| <= 1e-5 max(Y_k, 1e-20)   for every species k, and
//   t |dT/dt|   <= 1e-5 T,
// that is, over a span as long again as the time integrated so far no mass fraction and not the
// temperature would change by more than 1e-5 of itself. Mass fractions below 1e-20 (about one
// molecule in a cubic centimetre at atmospheric pressure) are measured against 1e-20. The state
// is steady once this has held at every step while the time grew tenfold, over at least 10
// steps. Chemical equilibrium is such a state.
//
// Why a long induction is not taken for a steady state: a species that builds up from nothing
// grows at least linearly, so t |dY/dt| / Y is about 1 or more, whatever its amount; radicals,
// intermediates and products accumulating during a nearly flat temperature history therefore fail
// the test by five orders of magnitude until they stop changing, and the tenfold window keeps a
// passing moment (a turning point of the temperature) from ending the run.

#include <cstddef>

namespace vantor::senkin {

inline constexpr double kSteadyRelativeChange = 1e-5;
inline constexpr double kSteadyMassFractionFloor = 1e-20;
inline constexpr double kSteadyWindowFactor = 10.0;
inline constexpr int kSteadyWindowSteps = 10;

class SteadyStateWatch {
public:
    // `species` mass fractions followed by the temperature, in `state` and `slope`.
    explicit SteadyStateWatch(int species) : species_(species) {}

    // Takes the step at time t; true once the state has been steady for the whole window.
    bool Observe(double t, const double* state, const double* slope);

    // The time the current steady stretch began (meaningful once Observe returned true).
    double SteadySince() const { return since_; }

private:
    bool SteadyAt(double t, const double* state, const double* slope) const;

    int species_;
    bool holding_ = false;
    double since_ = 0.0;
    int steps_ = 0;
};

}  // namespace vantor::senkin
