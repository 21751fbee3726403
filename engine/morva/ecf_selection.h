#pragma once
// The ECF neighbour selection. From source A, a consumption pass and a production pass each take
// the neighbours in descending order of their coefficient (equal ones in ascending species
// order) and accept them while the running sum of accepted coefficients is below the threshold;
// a coefficient of 1.0E-10 or less is passed over. The coefficients are normalised per side:
//   r_con(A, B) = |C(A, B)| / (|C(A)| + 1.0E-12),  r_pro(A, B) = |P(A, B)| / (|P(A)| + 1.0E-12).
//
// Only neighbours with a coefficient above 0 can be accepted, and they come first in the
// descending order; whatever the order holds after them adds no species, so only they are sorted.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/common/species_search.h"

namespace vantor::engine {

// 1.0E-12 and 1.0E-10 as the single-precision constants they have always been.
inline constexpr double kEcfEpsilon = static_cast<double>(1.0E-12f);
inline constexpr double kEcfNegligible = static_cast<double>(1.0E-10f);

class EcfSelector : public NeighbourSelector {
public:
    explicit EcfSelector(double threshold) : threshold_(threshold) {}

    void BeginState(const StateFluxes& fluxes) override { fluxes_ = &fluxes; }
    void SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) override;

private:
    struct Candidate {
        int32_t species;
        double coefficient;
    };
    void Pass(std::span<const PairFlux> pairs, double total, std::vector<uint8_t>& kept, std::vector<int32_t>& next);

    double threshold_;
    const StateFluxes* fluxes_ = nullptr;
    std::vector<Candidate> order_;
};

}  // namespace vantor::engine
