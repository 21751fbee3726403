#include "engine/brena/drg_selector.h"

namespace vantor::engine {

void DrgSelector::SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) {
    const double total = fluxes_->Production(A) - fluxes_->Consumption(A);
    if (!(total > 0.0)) return;
    for (const PairFlux& f : fluxes_->ProducedWith(A)) share_[static_cast<size_t>(f.species)] += f.value;
    for (const PairFlux& f : fluxes_->ConsumedWith(A)) share_[static_cast<size_t>(f.species)] += f.value;
    for (const int32_t b : fluxes_->Tables().Neighbours(A)) {
        double& share = share_[static_cast<size_t>(b)];
        const double r = share / total;
        share = 0.0;
        if (!kept[static_cast<size_t>(b)] && r > threshold_) {
            kept[static_cast<size_t>(b)] = 1;
            next.push_back(b);
        }
    }
}

}  // namespace vantor::engine
