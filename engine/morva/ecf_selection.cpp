#include "engine/morva/ecf_selection.h"

#include <algorithm>
#include <cmath>

namespace vantor::engine {

void EcfSelector::SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) {
    Pass(fluxes_->ConsumedWith(A), fluxes_->Consumption(A), kept, next);
    Pass(fluxes_->ProducedWith(A), fluxes_->Production(A), kept, next);
}

void EcfSelector::Pass(std::span<const PairFlux> pairs, double total, std::vector<uint8_t>& kept,
                       std::vector<int32_t>& next) {
    const double denominator = std::fabs(total) + kEcfEpsilon;
    order_.clear();
    for (const PairFlux& f : pairs) {
        const double r = f.value / denominator;
        if (r > 0.0) order_.push_back({f.species, r});
    }
    // The pairs come in ascending species order; a stable sort keeps it among equal coefficients.
    std::stable_sort(order_.begin(), order_.end(),
                     [](const Candidate& a, const Candidate& b) { return a.coefficient > b.coefficient; });
    double sum = 0.0;
    for (const Candidate& c : order_) {
        if (!(sum < threshold_)) break;
        if (c.coefficient <= kEcfNegligible) continue;
        sum += c.coefficient;
        if (!kept[static_cast<size_t>(c.species)]) {
            kept[static_cast<size_t>(c.species)] = 1;
            next.push_back(c.species);
        }
    }
}

}  // namespace vantor::engine
