#pragma once
// The starting state of a flame: complete-combustion products and their adiabatic temperature
// (no dissociation), a temperature ramp on a coarse grid, mass fractions linear from the
// unburned mixture to the products with a small radical pool at the ramp.

#include <string>
#include <vector>

#include "chemlib/mechanism.h"

namespace vantor::premix {

struct Products {
    std::vector<double> massFractions;  // KK
    double temperature = 0.0;           // adiabatic, K
};

// False with `error` when the products' species are missing from the mechanism.
bool CompleteCombustion(chem::Mechanism& mechanism, const std::vector<double>& unburnedMassFractions,
                        double unburnedTemperature, Products& products, std::string& error);

struct InitialFlame {
    std::vector<double> x, u;  // u: T, Y_1..Y_KK, M per point
    int fixedPoint = 0;
    double fixedTemperature = 0.0;
    double length = 0.0;       // cm
};

// `pressureAtm` scales the domain; `massFlux` (g/(cm2 s)) starts M; `preheatLength` (cm),
// conductivity / (M cp), shapes the preheat zone.
InitialFlame StartingFlame(chem::Mechanism& mechanism, const std::vector<double>& unburnedMassFractions,
                           double unburnedTemperature, const Products& products, double pressureAtm, double massFlux,
                           double preheatLength);

}  // namespace vantor::premix
