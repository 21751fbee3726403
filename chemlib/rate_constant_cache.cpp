#include "chemlib/rate_constant_cache.h"

#include <algorithm>

namespace vantor::chem {

void RateConstantCache::Reserve(int32_t II, int32_t KK) {
    temperatures_.reserve(8);
    forward_.reserve(size_t(II));
    reverse_.reserve(size_t(II));
    smh_.reserve(size_t(KK));
}

bool RateConstantCache::Restore(const double* rckwrk, int32_t NT, const double* T, double P, double* SMH) const {
    // Exact comparisons on purpose: a NaN never matches, so it is always recomputed.
    if (array_ == nullptr || array_ != rckwrk || P != pressure_ || size_t(NT) != temperatures_.size()) return false;
    for (int32_t n = 0; n < NT; ++n) {
        if (!(T[n] == temperatures_[n])) return false;
    }
    std::copy(smh_.begin(), smh_.end(), SMH);
    return true;
}

void RateConstantCache::Store(const double* rckwrk, int32_t NT, const double* T, double P, int32_t II, int32_t KK,
                              const double* RKF, const double* RKR, const double* SMH) {
    array_ = rckwrk;
    temperatures_.assign(T, T + NT);
    pressure_ = P;
    forward_.assign(RKF, RKF + II);
    reverse_.assign(RKR, RKR + II);
    smh_.assign(SMH, SMH + KK);
}

}  // namespace vantor::chem
