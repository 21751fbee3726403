// Compiled without contraction into fused multiply-adds, so that every version rounds the product
// and the sum separately, as the plain loop does.

#include "chemlib/third_body_sums.h"
#include "chemlib/vector_dispatch.h"

#include <algorithm>

#include "chemlib/reaction_tables.h"

namespace vantor::chem {
namespace {

typedef double Doubles __attribute__((vector_size(32)));
typedef uint64_t Bits __attribute__((vector_size(32)));

}  // namespace

void ThirdBodySums::Build(const std::vector<ThirdBodyEntry>& entries, const std::vector<ThirdBodyTerm>& terms) {
    groups_.clear();
    efficiencies_.clear();
    species_.clear();
    used_.clear();
    for (size_t g = 0; g < entries.size(); g += kLanes) {
        Group group{{-1, -1, -1, -1}, static_cast<int32_t>(species_.size() / kLanes), 0};
        for (size_t l = 0; l < kLanes && g + l < entries.size(); ++l) {
            group.reaction[l] = entries[g + l].reaction;
            group.count = std::max(group.count, entries[g + l].end - entries[g + l].begin);
        }
        for (int32_t j = 0; j < group.count; ++j) {
            for (size_t l = 0; l < kLanes; ++l) {
                const bool term = g + l < entries.size() && j < entries[g + l].end - entries[g + l].begin;
                // A padding lane reads some real term of the mechanism and discards it.
                const ThirdBodyTerm& t = terms[term ? entries[g + l].begin + j : 0];
                efficiencies_.push_back(t.efficiency);
                species_.push_back(t.species);
                used_.push_back(term ? ~uint64_t(0) : 0);
            }
        }
        groups_.push_back(group);
    }
}

VANTOR_VECTOR_CLONES
void ThirdBodySums::Sum(double CTOT, const double* rckwrk, const double* C, double* CTB) const {
    for (const Group& g : groups_) {
        Doubles ctb = {CTOT, CTOT, CTOT, CTOT};
        const size_t first = size_t(g.first) * kLanes;
        const int64_t* e = efficiencies_.data() + first;
        const int32_t* s = species_.data() + first;
        const uint64_t* u = used_.data() + first;
        for (int32_t j = 0; j < g.count; ++j, e += kLanes, s += kLanes, u += kLanes) {
            const Doubles efficiency = {rckwrk[e[0]], rckwrk[e[1]], rckwrk[e[2]], rckwrk[e[3]]};
            const Doubles c = {C[s[0]], C[s[1]], C[s[2]], C[s[3]]};
            const Bits used = {u[0], u[1], u[2], u[3]};
            const Doubles sum = ctb + (efficiency - 1.0) * c;
            ctb = (Doubles)(((Bits)sum & used) | ((Bits)ctb & ~used));
        }
        for (int l = 0; l < kLanes; ++l) {
            if (g.reaction[l] >= 0) CTB[g.reaction[l]] = ctb[l];
        }
    }
}

}  // namespace vantor::chem
