#include "outside/senkin/steady_state.h"

#include <algorithm>
#include <cmath>

namespace vantor::senkin {

bool SteadyStateWatch::SteadyAt(double t, const double* y, const double* slope) const {
    if (!(t > 0.0)) return false;
    const double T = y[species_];
    if (!(t * std::fabs(slope[species_]) <= kSteadyRelativeChange * T)) return false;
    for (int k = 0; k < species_; ++k) {
        const double scale = std::max(std::fabs(y[k]), kSteadyMassFractionFloor);
        // Written so that a non-finite slope fails the test.
        if (!(t * std::fabs(slope[k]) <= kSteadyRelativeChange * scale)) return false;
    }
    return true;
}

bool SteadyStateWatch::Observe(double t, const double* state, const double* slope) {
    if (!SteadyAt(t, state, slope)) {
        holding_ = false;
        return false;
    }
    if (!holding_) {
        holding_ = true;
        since_ = t;
        steps_ = 0;
    }
    ++steps_;
    return steps_ > kSteadyWindowSteps && t >= kSteadyWindowFactor * since_;
}

}  // namespace vantor::senkin
