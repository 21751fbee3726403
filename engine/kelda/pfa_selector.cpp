#include "engine/kelda/pfa_selector.h"

namespace vantor::engine {

void PfaSelector::SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) {
    coefficients_.ComputeInteractionCoefficients(A);
    for (int32_t b = 1; b <= ns_; ++b) {
        if (b == A || kept[static_cast<size_t>(b)]) continue;
        if (coefficients_.R(b) > threshold_) {
            kept[static_cast<size_t>(b)] = 1;
            next.push_back(b);
        }
    }
}

}  // namespace vantor::engine
