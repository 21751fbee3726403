#pragma once
// The first guess of the burning branch: the inlet burned completely (carbon to CO2 and hydrogen
// to H2O as far as the oxygen goes, CO and H2 for what it leaves) at the temperature of equal
// enthalpy. Species without C, H or O pass unchanged.

#include <vector>

#include "outside/psr/psr_equations.h"

namespace vantor::psr {

// Mole fractions of the products of inlet mole fractions X. False when a product the mixture
// needs is not in the mechanism or there is not even the oxygen to make CO of the carbon.
bool CompleteCombustionProducts(const chem::Mechanism& mechanism, const std::vector<double>& X,
                                std::vector<double>& products);

// The temperature at which mass fractions Y have the inlet's enthalpy (between 100 and 6000 K).
double EqualEnthalpyTemperature(StirredReactorEquations& equations, const std::vector<double>& Y);

}  // namespace vantor::psr
