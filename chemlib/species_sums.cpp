// Compiled without contraction into fused multiply-adds, so that every version rounds the product
// and the sum separately, as the plain loop does.

#include "chemlib/species_sums.h"
#include "chemlib/vector_dispatch.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace vantor::chem {
namespace {

typedef double Doubles __attribute__((vector_size(32)));

}  // namespace

void SpeciesSums::Build(const std::vector<int32_t>& begin, const std::vector<int32_t>& reactions,
                        const std::vector<double>& coefficients, int32_t padding) {
    const int32_t KK = static_cast<int32_t>(begin.size()) - 1;
    // Species of similar term counts share a group, so little padding is summed.
    std::vector<int32_t> order(size_t(std::max(KK, 0)));
    std::iota(order.begin(), order.end(), 0);
    const auto terms = [&](int32_t k) { return begin[k + 1] - begin[k]; };
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return terms(a) > terms(b); });
    groups_.clear();
    reactions_.clear();
    coefficients_.clear();
    for (size_t g = 0; g < order.size(); g += kLanes) {
        Group group{{-1, -1, -1, -1}, static_cast<int32_t>(reactions_.size() / kLanes), 0};
        for (int l = 0; l < kLanes && g + l < order.size(); ++l) {
            group.species[l] = order[g + l];
            group.count = std::max(group.count, terms(order[g + l]));
        }
        for (int32_t j = 0; j < group.count; ++j) {
            for (const int32_t k : group.species) {
                const bool term = k >= 0 && j < terms(k);
                reactions_.push_back(term ? reactions[begin[k] + j] : padding);
                coefficients_.push_back(term ? coefficients[begin[k] + j] : 0.0);
            }
        }
        groups_.push_back(group);
    }
}

VANTOR_VECTOR_CLONES
void SpeciesSums::Sum(const double* net, double* WDOT) const {
    for (const Group& g : groups_) {
        Doubles sum = {0.0, 0.0, 0.0, 0.0};
        const int32_t* r = reactions_.data() + int64_t(g.first) * kLanes;
        const double* c = coefficients_.data() + int64_t(g.first) * kLanes;
        for (int32_t j = 0; j < g.count; ++j, r += kLanes, c += kLanes) {
            Doubles coefficient;
            std::memcpy(&coefficient, c, sizeof coefficient);
            const Doubles rate = {net[r[0]], net[r[1]], net[r[2]], net[r[3]]};
            sum += coefficient * rate;
        }
        for (int l = 0; l < kLanes; ++l) {
            if (g.species[l] >= 0) WDOT[g.species[l]] = sum[l];
        }
    }
}

}  // namespace vantor::chem
