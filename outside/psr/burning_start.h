#pragma once
// The first point of the burning branch: the steady state at a long residence time, reached from
// the complete-combustion products by Newton's method, or by backward-Euler pseudo-time steps
// when Newton alone does not converge from there. A mixture without a burning state even at the
// longest residence time is not flammable.

#include <functional>
#include <string>
#include <vector>

#include "outside/psr/psr_equations.h"

namespace vantor::psr {

struct BurningStart {
    enum class Kind { kBurning, kNotFlammable, kNoConvergence, kRateFailure } kind = Kind::kNoConvergence;
    std::string message;
    ReactorState state;
    double productsTemperature = 0.0;  // K, of the complete-combustion products
    int iterations = 0;                // Newton iterations spent
};

// Residence times tried, longest last (s).
inline constexpr double kStartResidenceTimes[] = {1.0, 100.0};

BurningStart FindBurningState(StirredReactorEquations& equations, const chem::Mechanism& mechanism,
                              const std::vector<double>& inletMoleFractions,
                              const std::function<void(const std::string&)>& progress);

}  // namespace vantor::psr
