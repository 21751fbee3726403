#pragma once
// The third-body concentration factors: CTOT plus (efficiency - 1) x C over each third-body
// reaction's enhanced species. Four reactions are summed side by side, their terms interleaved,
// so that the four chains of additions overlap; each reaction's own terms are added in their
// original order, so every factor has the bits of the plain loop. The efficiencies are read from
// the work array on every evaluation.

#include <cstdint>
#include <vector>

namespace vantor::chem {

struct ThirdBodyEntry;
struct ThirdBodyTerm;

class ThirdBodySums {
public:
    static constexpr int kLanes = 4;

    void Build(const std::vector<ThirdBodyEntry>& entries, const std::vector<ThirdBodyTerm>& terms);

    // CTB[reaction] of every entry, in entry order (the last entry of a reaction wins).
    void Sum(double CTOT, const double* rckwrk, const double* C, double* CTB) const;

private:
    struct Group {
        int32_t reaction[kLanes];  // -1 for an unused lane of the last group
        int32_t first, count;      // into the interleaved arrays, in rows of kLanes terms
    };
    std::vector<Group> groups_;
    std::vector<int64_t> efficiencies_;  // interleaved positions in RCKWRK, padding a real term's
    std::vector<int32_t> species_;       // interleaved, padding a real term's
    std::vector<uint64_t> used_;         // all ones for a term, 0 for padding
};

}  // namespace vantor::chem
