#pragma once
// Reduced collision integrals of the Lennard-Jones 12-6 potential (Neufeld, Janzen and Aziz,
// J. Chem. Phys. 57 (1972) 1100, within 0.1 % of the tables for 0.3 <= T* <= 100), with Brokaw's
// correction for polar molecules (Ind. Eng. Chem. Process Des. Dev. 8 (1969) 240):
//   Omega(2,2)* += 0.2 delta*^2 / T*,   Omega(1,1)* += 0.19 delta*^2 / T*,
// where T* = kT/eps and delta* = mu^2 / (2 eps sigma^3) is the reduced dipole moment.

namespace vantor::pellor {

// Omega(2,2)*: viscosity and conductivity.
double ViscosityCollisionIntegral(double reducedTemperature, double reducedDipole);
// Omega(1,1)*: diffusion.
double DiffusionCollisionIntegral(double reducedTemperature, double reducedDipole);

}  // namespace vantor::pellor
