#pragma once
// Chapman-Enskog transport properties of pure species and species pairs at low density, from
// their Lennard-Jones parameters (cgs units throughout):
//   viscosity        mu   = (5/16) sqrt(pi m k T) / (pi sigma^2 Omega(2,2)*)                 g/(cm s)
//   binary diffusion D_jk = (3/16) sqrt(2 pi k^3 T^3 / m_jk) / (P pi sigma_jk^2 Omega(1,1)*)  cm2/s
//   conductivity     lambda = (mu/W) (f_tr Cv_tr + f_rot Cv_rot + f_vib Cv_vib)            erg/(cm s K)
// The conductivity splits the heat capacity into translation (3/2 R), rotation (0, R or 3/2 R for
// an atom, a linear or a nonlinear molecule) and vibration (the rest of cv = cp - R), with
// Warnatz's factors:
//   f_tr  = 5/2 (1 - (2/pi) (Cv_rot/Cv_tr) (A/B)),  f_rot = (rho D/mu) (1 + (2/pi) A/B),
//   f_vib = rho D/mu,  A = 5/2 - rho D/mu,  B = Zrot(T) + (2/pi) (5/3 Cv_rot/R + rho D/mu),
// rho D the species' self-diffusion and Zrot(T) scaled from its 298 K value by Parker's
//   F(T) = 1 + (pi^3/2 / 2) (eps/kT)^1/2 + (pi^2/4 + 2) (eps/kT) + pi^3/2 (eps/kT)^3/2.
// Pairs: sigma_jk = (sigma_j + sigma_k)/2, eps_jk = sqrt(eps_j eps_k) and mu_jk^2 = mu_j mu_k;
// a polar molecule p with a nonpolar n adds the induced-dipole attraction,
//   xi = 1 + (1/4) alpha_n* mu_p*^2 sqrt(eps_p/eps_n),  alpha_n* = alpha_n / sigma_n^3,
//   mu_p*^2 = mu_p^2 / (eps_p sigma_p^3),  eps_np = xi^2 sqrt(eps_n eps_p),
//   sigma_np = (sigma_n + sigma_p)/2 xi^(-1/6), and no dipole term.

#include "outside/pellor/transport_data.h"

namespace vantor::pellor {

struct SpeciesTransport {
    TransportParameters parameters;
    double molecularWeight = 0.0;  // g/mol
};

// The Lennard-Jones potential of a pair: sigma_jk (cm), eps_jk (erg) and delta*_jk.
struct PairPotential {
    double sigma = 0.0, epsilon = 0.0, reducedDipole = 0.0;
};
PairPotential CombinedPotential(const TransportParameters& a, const TransportParameters& b);

double Viscosity(const SpeciesTransport& s, double T);
// D_jk = DiffusionMassFactor(j, k, P) T^(3/2) / DiffusionCrossSection(pair, T): the cross section
// sigma_jk^2 Omega(1,1)* depends on the potential only, which many pairs share.
double DiffusionMassFactor(const SpeciesTransport& a, const SpeciesTransport& b, double pressure);
double DiffusionCrossSection(const PairPotential& pair, double T);
double BinaryDiffusion(const SpeciesTransport& a, const SpeciesTransport& b, double T, double pressure);
// `heatCapacity` is cp/R of the species at T (from its thermodynamic fit).
double Conductivity(const SpeciesTransport& s, double T, double heatCapacity);

}  // namespace vantor::pellor
