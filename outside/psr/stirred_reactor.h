#pragma once
// The adiabatic, constant-pressure, steady perfectly stirred reactor: for an inlet mixture it
// follows the burning branch of the S-curve from a long residence time down to its turning point,
// the extinction residence time. The steady equations, for mass fractions Y and temperature T at
// residence time tau, are
//   0 = (Y_k,in - Y_k)/tau + wdot_k W_k / rho     (k = 1..KK)
//   0 = h(T_in, Y_in) - h(T, Y)                   (mass-specific enthalpy)

#include <functional>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"

namespace vantor::psr {

struct StirredReactorRequest {
    double pressure = 0.0;                             // dyn/cm2
    double inletTemperature = 0.0;                     // K
    std::vector<double> moleFractions;                 // KK, inlet
    std::function<void(const std::string&)> progress;  // one line per stage, may be empty
};

enum class StirredReactorOutcome { kExtinctionFound, kNoConvergence, kNotFlammable, kRateFailure };

struct StirredReactorResult {
    StirredReactorOutcome outcome = StirredReactorOutcome::kNoConvergence;
    std::string message;
    double extinctionTime = 0.0;                     // s
    double extinctionTemperature = 0.0;              // K
    std::vector<double> residenceTime, temperature;  // the burning branch, s and K, down to the turning point
    std::vector<double> extinctionMassFractions;     // KK, the state at the turning point
    int newtonIterations = 0;                        // over the whole branch
};

StirredReactorResult SolveStirredReactor(chem::Mechanism& mechanism, const StirredReactorRequest& request);

// "extinction found", "not flammable", ...
const char* OutcomeName(StirredReactorOutcome outcome);

}  // namespace vantor::psr
