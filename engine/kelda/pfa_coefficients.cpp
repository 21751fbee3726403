#include "engine/kelda/pfa_coefficients.h"

#include <algorithm>
#include <cmath>

namespace vantor::engine {
namespace {

double Scale(const StateFluxes& fluxes, int32_t k, double epsilon) {
    return std::max(std::fabs(fluxes.Production(k)), std::fabs(fluxes.Consumption(k))) + epsilon;
}

}  // namespace

PfaCoefficients::PfaCoefficients(int32_t NS)
    : ns_(NS),
      dPrime_(static_cast<size_t>(NS) + 1, 0.0),
      pro1_(static_cast<size_t>(NS) + 1, 0.0),
      con1_(static_cast<size_t>(NS) + 1, 0.0),
      pro2_(static_cast<size_t>(NS) + 1, 0.0),
      con2_(static_cast<size_t>(NS) + 1, 0.0),
      pm_(static_cast<size_t>(NS) + 1, 0.0),
      cm_(static_cast<size_t>(NS) + 1, 0.0) {}

void PfaCoefficients::BeginState(const StateFluxes& fluxes) {
    fluxes_ = &fluxes;
    for (int32_t m = 1; m <= ns_; ++m) dPrime_[static_cast<size_t>(m)] = Scale(fluxes, m, kEpsilonIntermediate);
}

void PfaCoefficients::ComputeInteractionCoefficients(int32_t A) {
    std::fill(pro1_.begin(), pro1_.end(), 0.0);
    std::fill(con1_.begin(), con1_.end(), 0.0);
    std::fill(pro2_.begin(), pro2_.end(), 0.0);
    std::fill(con2_.begin(), con2_.end(), 0.0);
    FirstGeneration(A);
    if (fluxes_->AllFinite()) SecondGenerationSparse(A);
    else SecondGenerationDense(A);
}

void PfaCoefficients::FirstGeneration(int32_t A) {
    // B outside A's lists has P(A, B) = C(A, B) = 0, and 0 / D(A) is 0.
    const double d = Scale(*fluxes_, A, kEpsilonSource);
    for (const PairFlux& f : fluxes_->ConsumedWith(A)) con1_[static_cast<size_t>(f.species)] = f.value / d;
    for (const PairFlux& f : fluxes_->ProducedWith(A)) pro1_[static_cast<size_t>(f.species)] = f.value / d;
}

void PfaCoefficients::SecondGenerationSparse(int32_t A) {
    for (const int32_t m : fluxes_->Tables().Neighbours(A)) {
        const double c1 = con1_[static_cast<size_t>(m)];
        const double p1 = pro1_[static_cast<size_t>(m)];
        const double dp = dPrime_[static_cast<size_t>(m)];
        if (c1 != 0.0) {
            for (const PairFlux& f : fluxes_->ConsumedWith(m)) con2_[static_cast<size_t>(f.species)] += (f.value * c1) / dp;
        }
        if (p1 != 0.0) {
            for (const PairFlux& f : fluxes_->ProducedWith(m)) pro2_[static_cast<size_t>(f.species)] += (f.value * p1) / dp;
        }
    }
    // B = A is no term of its own row; the loops above added to it only for want of a test.
    con2_[static_cast<size_t>(A)] = 0.0;
    pro2_[static_cast<size_t>(A)] = 0.0;
}

void PfaCoefficients::SecondGenerationDense(int32_t A) {
    for (int32_t m = 1; m <= ns_; ++m) {
        if (m == A) continue;
        for (const PairFlux& f : fluxes_->ConsumedWith(m)) cm_[static_cast<size_t>(f.species)] = f.value;
        for (const PairFlux& f : fluxes_->ProducedWith(m)) pm_[static_cast<size_t>(f.species)] = f.value;
        const double c1 = con1_[static_cast<size_t>(m)];
        const double p1 = pro1_[static_cast<size_t>(m)];
        const double dp = dPrime_[static_cast<size_t>(m)];
        for (int32_t b = 1; b <= ns_; ++b) {
            if (b == A || b == m) continue;
            const size_t bi = static_cast<size_t>(b);
            con2_[bi] += (cm_[bi] * c1) / dp;
            pro2_[bi] += (pm_[bi] * p1) / dp;
        }
        std::fill(cm_.begin(), cm_.end(), 0.0);
        std::fill(pm_.begin(), pm_.end(), 0.0);
    }
}

}  // namespace vantor::engine
