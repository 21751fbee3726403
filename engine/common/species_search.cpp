#include "engine/common/species_search.h"

#include <algorithm>

namespace vantor::engine {

void SpeciesSearch::SearchKeptSpecies(const std::vector<int32_t>& preselected, NeighbourSelector& selector) {
    std::fill(kept_.begin(), kept_.end(), 0);
    visited_.clear();
    frontier_ = preselected;
    for (const int32_t k : frontier_) kept_[static_cast<size_t>(k)] = 1;
    while (!frontier_.empty()) {
        next_.clear();
        for (const int32_t a : frontier_) selector.SelectFrom(a, kept_, next_);
        visited_.insert(visited_.end(), frontier_.begin(), frontier_.end());
        frontier_.swap(next_);
    }
}

}  // namespace vantor::engine
