#pragma once
// Mixture-averaged transport properties from the species fits of the transport binary
// (ln property = sum_n a_n (ln T)^n; binary diffusion fitted at PREF and scaled by PREF/P):
//   viscosity      Wilke: mu = sum_k X_k mu_k / sum_j X_j Phi_kj,
//                  Phi_kj = (1 + (mu_k/mu_j)^1/2 (W_j/W_k)^1/4)^2 / (8 (1 + W_k/W_j))^1/2
//   conductivity   lambda = (sum_k X_k lambda_k + 1 / sum_k X_k/lambda_k) / 2
//   diffusion      D_km = (1 - Y_k) / sum_{j != k} X_j / D_jk, with every X_j floored at
//                  kMoleFractionFloor so that trace and pure species get a finite, smooth value
//   thermal diffusion ratios of the light species (W_k < 5), first Chapman-Enskog approximation:
//                  Theta_k = sum_j theta_kj X_k X_j,
//                  theta_kj = (15/2) (2A* + 5)(6C* - 5) / (A* (16A* - 12B* + 55)) (W_k - W_j)/(W_k + W_j)
//                  with the collision integral ratios of the pair at T* = kT/eps_kj (fitted in
//                  ln T over the binary's range when bound).
// The evaluations keep the per-temperature values (species properties, pair diffusion) of the
// last temperature and their scratch in the object, so they allocate nothing and a flame's calls
// at one grid point share the work; hence one object per thread (copies are independent).
// Mole fractions need not sum to one: the floored values are normalized (Theta_k takes X as given).

#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "outside/pellor/transport_binary.h"

namespace vantor::mixture {

inline constexpr double kMoleFractionFloor = 1.0e-12;
inline constexpr double kLightSpeciesWeight = 5.0;  // g/mol: thermal diffusion for species below

class MixtureTransport {
public:
    // Matches the fits to the mechanism's species by name (same order expected); false with the
    // first missing/mismatched species named in `error`.
    bool Bind(const chem::Mechanism& mechanism, const pellor::TransportFits& fits, std::string& error);
    int SpeciesCount() const { return kk_; }

    // All at temperature T (K), pressure P (dyn/cm2), mole fractions X (KK values, may contain 0):
    double Viscosity(double T, const double* X) const;     // g/(cm s), Wilke's rule
    double Conductivity(double T, const double* X) const;  // erg/(cm s K)
    // Mixture-averaged diffusion coefficients D_km (cm2/s), finite for trace and pure species.
    void DiffusionCoefficients(double T, double P, const double* X, double* Dkm) const;
    // Thermal diffusion ratios Theta_k (nonzero only for light species), so that the thermal
    // diffusion velocity is -(D_km Theta_k / X_k) (1/T) dT/dx.
    void ThermalDiffusionRatios(double T, const double* X, double* theta) const;
    // Species viscosities/conductivities at T (per-species fits), for callers that cache.
    void SpeciesViscosities(double T, double* mu) const;
    void SpeciesConductivities(double T, double* lambda) const;

    // The light species (0-based indices) that carry thermal diffusion.
    const std::vector<int>& LightSpecies() const { return light_; }

private:
    void UpdatePowers(double T) const;
    void EvaluateSpeciesFits(const std::vector<double>& fits, double* logs) const;
    void UpdateSpecies(double T) const;
    void UpdatePairs(double T) const;
    void UpdateWilke(double T) const;
    double Floor(const double* X) const;  // X floored into floored_; returns their sum

    int kk_ = 0, no_ = 0;
    double referencePressure_ = 0.0;
    std::vector<double> weights_;
    std::vector<double> viscosityFits_, conductivityFits_;  // (NO, KK) as in the binary
    std::vector<double> diffusionFits_;   // (NO) blocks of the KK*(KK+1)/2 pairs j <= k
    std::vector<double> quarterWeight_;      // (KK): W_k^1/4
    std::vector<double> wilkeDenominator_;   // (KK, KK): 1 / (8 (1 + W_k/W_j))^1/2 at [k*KK + j]
    std::vector<int> light_;
    std::vector<double> thermalFits_;     // (NO, KK) per light species: theta_kj fitted in ln T

    // Per-temperature values of the last T and scratch; see the note above.
    mutable double powersT_ = -1.0, speciesT_ = -1.0, pairT_ = -1.0, wilkeT_ = -1.0;
    mutable std::vector<double> logPowers_;        // (NO): (ln T)^n
    mutable std::vector<double> viscosity_, inverseRootViscosity_, conductivity_;  // (KK)
    mutable std::vector<double> inverseDiffusion_;  // pairs j <= k: 1 / D_jk at PREF
    mutable std::vector<double> wilke_;             // (KK, KK): Phi_kj at [k*KK + j]
    mutable std::vector<double> sums_;              // (KK) scratch
    mutable std::vector<double> scratch_;           // (KK*(KK+1)/2)
    mutable std::vector<double> floored_;           // (KK)
};

}  // namespace vantor::mixture
