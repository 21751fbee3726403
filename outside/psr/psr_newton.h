#pragma once
// Damped Newton iteration on the stirred-reactor equations, optionally with a backward-Euler time
// term on the species (a pseudo-transient step) for states far from the solution.

#include <string>
#include <vector>

#include "outside/psr/dense_lu.h"
#include "outside/psr/psr_equations.h"

namespace vantor::psr {

struct NewtonReport {
    bool converged = false;
    bool rateFailure = false;  // the rates could not be evaluated at the starting state
    int iterations = 0;
    double residual = 0.0;  // scaled norm at the end (ResidualNorm)
    std::string error;      // why it stopped without converging
};

// A factorised Jacobian kept from one solve to the next: along the branch the Jacobian of the
// last point serves the next one until it stops cutting the residual fast.
struct NewtonFactors {
    DenseLu lu;
    bool valid = false;
    LastUnknown last = LastUnknown::kTemperature;
};

// The largest residual: species in mass-fraction units, the enthalpy one relative to the inlet
// temperature.
double ResidualNorm(const std::vector<double>& G, double inletTemperature);

// Solves for the unknowns of `state` (mass fractions and `last`); the other of temperature and
// ln tau stays fixed. With `inverseStep` = tau/dt > 0 the species residuals become
// G_k - (tau/dt)(Y_k - Y_k,old), one backward-Euler step from `oldMassFractions`. On failure
// `state` is left as it was. `factors` (steady solves only) starts from a kept factorisation and
// keeps the last one.
NewtonReport SolveNewton(StirredReactorEquations& equations, LastUnknown last, ReactorState& state, int maxIterations,
                         double inverseStep = 0.0, const std::vector<double>* oldMassFractions = nullptr,
                         NewtonFactors* factors = nullptr);

}  // namespace vantor::psr
