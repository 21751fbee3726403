#pragma once
// The DRG neighbour selection (Lu and Law 2005). From source A, every species B whose
//   r_AB = sum_i |nu_A,i w_i delta_B,i| / sum_i |nu_A,i w_i|
// is above the threshold (strictly), in ascending B. In the flux sums of the state the numerator
// is |P(A, B)| + |C(A, B)| and the denominator P(A) + |C(A)|; a species without flux at the state
// leads nowhere.

#include <cstdint>
#include <vector>

#include "engine/common/species_search.h"

namespace vantor::engine {

class DrgSelector : public NeighbourSelector {
public:
    DrgSelector(int32_t NS, double threshold) : threshold_(threshold), share_(static_cast<size_t>(NS) + 1, 0.0) {}

    void BeginState(const StateFluxes& fluxes) override { fluxes_ = &fluxes; }
    void SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) override;

private:
    double threshold_;
    const StateFluxes* fluxes_ = nullptr;
    std::vector<double> share_;  // numerators of the current source, zero between calls
};

}  // namespace vantor::engine
