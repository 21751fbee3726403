#include "outside/senkin/steady_state.h"

#include <algorithm>
#include <cmath>

namespace vantor::senkin {

bool SteadyStateWatch::MovedFromStart(const double* y) const {
    const double T0 = start_[static_cast<size_t>(species_)];
    // Written so that a non-finite value counts as a change.
    if (!(std::fabs(y[species_] - T0) <= kSteadyTemperatureChange * T0)) return true;
    for (int k = 0; k < species_; ++k) {
        const double y0 = start_[static_cast<size_t>(k)];
        const double scale = std::max({std::fabs(y[k]), std::fabs(y0), kSteadyMassFractionFloor});
        if (!(std::fabs(y[k] - y0) <= kSteadyRelativeChange * scale)) return true;
    }
    return false;
}

bool SteadyStateWatch::Observe(double t, const double* state) {
    if (start_.empty() || MovedFromStart(state)) {
        start_.assign(state, state + species_ + 1);
        since_ = t;
        steps_ = 0;
        return false;
    }
    ++steps_;
    return steps_ >= kSteadyWindowSteps && t >= kSteadyWindowFactor * since_;
}

}  // namespace vantor::senkin
