#pragma once
// Binary diffusion fits of every pair of a mechanism's species. A large mechanism has millions of
// pairs but far fewer distinct potentials (isomers share their Lennard-Jones parameters), and
//   ln D_jk = ln DiffusionMassFactor(j, k) + 3/2 ln T - ln(sigma_jk^2 Omega(1,1)*),
// where only the last term needs the sample temperatures. So each pair of distinct potentials is
// fitted once, and a species pair adds its mass factor to a_0 and 3/2 to a_1.

#include <vector>

#include "outside/pellor/log_polynomial_fit.h"
#include "outside/pellor/species_transport.h"

namespace vantor::pellor {

struct DiffusionFits {
    std::vector<double> coefficients;  // (NO, KK, KK), first index fastest; symmetric in j and k
    double largestDeviation = 0.0;     // the largest |fit / D - 1| at a sample temperature
};

// Fits at `pressure` (dyn/cm2) over the fitter's `temperatures`, with at least 2 coefficients (a_1
// takes the T^(3/2)); `progress` (may be null) rises to 100 in percent.
DiffusionFits FitBinaryDiffusion(const std::vector<SpeciesTransport>& species, const std::vector<double>& temperatures,
                                 const LogPolynomialFitter& fitter, double pressure, double* progress);

}  // namespace vantor::pellor
