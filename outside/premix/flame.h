#pragma once
// The freely propagating, adiabatic, isobaric premixed laminar flame: steady 1-D conservation of
// energy and species with mixture-averaged transport, the mass flux as eigenvalue pinned by a
// fixed temperature point, solved by damped Newton with pseudo-time steps on adaptive grids.

#include <functional>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "outside/mixture/mixture_transport.h"

namespace vantor::premix {

struct FlameRequest {
    double pressure = 0.0;               // dyn/cm2
    double temperature = 0.0;            // unburned, K
    std::vector<double> moleFractions;   // KK, unburned
    bool thermalDiffusion = false;
    double slope = 0.07, curvature = 0.14;  // refinement criteria, then a finer pass at half of them
    int maxPoints = 1000;
    std::function<void(const std::string&)> progress;  // one line per stage, may be empty
};

enum class FlameOutcome { kConverged, kNoConvergence, kNotFlammable, kRateFailure };

struct FlameResult {
    FlameOutcome outcome = FlameOutcome::kNoConvergence;
    std::string message;      // names the failure: last residual norm, etc.
    double flameSpeed = 0.0;  // cm/s (mass flux / unburned density)
    std::vector<double> x, temperature, velocity, heatRelease;  // cm, K, cm/s, erg/(cm3 s)
    std::vector<std::vector<double>> moleFractions;             // [point][species]
    int newtonSolves = 0, timeSteps = 0;
    double lastResidual = 0.0;
};

FlameResult SolveFlame(chem::Mechanism& mechanism, const mixture::MixtureTransport& transport,
                       const FlameRequest& request);

}  // namespace vantor::premix
