#pragma once
// The path-flux interaction coefficients of one source species A against every other species B:
// first generation PRO1, CON1 and second generation PRO2, CON2 through one intermediate species
// M, and R = (CON2 + CON1) + (PRO2 + PRO1).
//
// Only the terms that can be non-zero are visited: a term of M needs CON1(A, M) (or PRO1(A, M))
// and C(M, B) (or P(M, B)) non-zero, so M runs over the species sharing a reaction with A and B
// over those sharing one with M. The terms are computed and added to each B in ascending M just
// as the full sums over all M would add them, so every coefficient is the same to the last bit;
// a state whose fluxes overflowed is evaluated term by term over all M and B instead.

#include <cstdint>
#include <vector>

#include "engine/common/state_fluxes.h"

namespace vantor::engine {

// 1.0E-12 and 1.0E-13 as the single-precision constants they have always been.
inline constexpr double kEpsilonSource = static_cast<double>(1.0E-12f);        // D(A)
inline constexpr double kEpsilonIntermediate = static_cast<double>(1.0E-13f);  // D'(M)

class PfaCoefficients {
public:
    explicit PfaCoefficients(int32_t NS);

    // A new state; `fluxes` stays valid until the next call. Computes D'(M) for every M.
    void BeginState(const StateFluxes& fluxes);

    // Fills the rows of source A for every B != A (the entries of A itself are 0).
    void ComputeInteractionCoefficients(int32_t A);

    double Pro1(int32_t B) const { return pro1_[static_cast<size_t>(B)]; }
    double Con1(int32_t B) const { return con1_[static_cast<size_t>(B)]; }
    double Pro2(int32_t B) const { return pro2_[static_cast<size_t>(B)]; }
    double Con2(int32_t B) const { return con2_[static_cast<size_t>(B)]; }
    double R(int32_t B) const {
        const size_t b = static_cast<size_t>(B);
        return (con2_[b] + con1_[b]) + (pro2_[b] + pro1_[b]);
    }

private:
    void FirstGeneration(int32_t A);
    void SecondGenerationSparse(int32_t A);
    void SecondGenerationDense(int32_t A);

    int32_t ns_;
    const StateFluxes* fluxes_ = nullptr;
    std::vector<double> dPrime_;                   // D'(M), species 1..NS
    std::vector<double> pro1_, con1_, pro2_, con2_;  // row of the current source, species 1..NS
    std::vector<double> pm_, cm_;                  // |P(M, B)|, |C(M, B)| of one M (dense evaluation)
};

}  // namespace vantor::engine
