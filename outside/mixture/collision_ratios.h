#pragma once
// Ratios of reduced collision integrals of a Lennard-Jones pair, for the thermal diffusion ratios:
//   A* = Omega(2,2)* / Omega(1,1)*,  B* = (5 Omega(1,2)* - 4 Omega(1,3)*) / Omega(1,1)*,
//   C* = Omega(1,2)* / Omega(1,1)*.
// Omega(1,2)* and Omega(1,3)* follow from Omega(1,1)* by the exact recursion of the integrals'
// definition (an average over the collision energy with weight E^(s+1) exp(-E/kT)),
//   Omega(l,s+1)* = Omega(l,s)* (1 + (1/(s+2)) d ln Omega(l,s)* / d ln T*),
// applied to pellor's Omega(1,1)* (dipole term included), differentiated numerically in ln T*.

namespace vantor::mixture {

struct CollisionRatios {
    double a = 1.0, b = 1.0, c = 1.0;
};

CollisionRatios ReducedCollisionRatios(double reducedTemperature, double reducedDipole);

// (15/2) (2A* + 5)(6C* - 5) / (A* (16A* - 12B* + 55)): theta_kj without its mass factor.
double ThermalDiffusionFactor(const CollisionRatios& ratios);

}  // namespace vantor::mixture
