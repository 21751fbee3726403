#pragma once
// The PFA neighbour selection: from source A, every species B whose R(A, B) is above the
// threshold (strictly), in ascending B.

#include <cstdint>
#include <vector>

#include "engine/common/species_search.h"
#include "engine/kelda/pfa_coefficients.h"

namespace vantor::engine {

class PfaSelector : public NeighbourSelector {
public:
    PfaSelector(int32_t NS, double threshold) : ns_(NS), threshold_(threshold), coefficients_(NS) {}

    void BeginState(const StateFluxes& fluxes) override { coefficients_.BeginState(fluxes); }
    void SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) override;

private:
    int32_t ns_;
    double threshold_;
    PfaCoefficients coefficients_;
};

}  // namespace vantor::engine
