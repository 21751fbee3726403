#pragma once
// The production rates' sums over species: for every species, coefficient x net rate of progress
// over its terms. Four species are summed side by side, their terms interleaved (term j of the
// four species adjacent), so that the four chains of additions overlap; each species' own terms
// are added in their original order, so every sum has the bits of the plain loop.

#include <cstdint>
#include <vector>

namespace vantor::chem {

class SpeciesSums {
public:
    static constexpr int kLanes = 4;

    // The terms of species k are reactions[begin[k] .. begin[k+1]) with their coefficients.
    // `reactions` index the net rates of progress; `padding` is an index whose net rate is 0.
    void Build(const std::vector<int32_t>& begin, const std::vector<int32_t>& reactions,
               const std::vector<double>& coefficients, int32_t padding);

    // WDOT[k] = sum of coefficient x net[reaction] over the terms of species k.
    void Sum(const double* net, double* WDOT) const;

private:
    struct Group {
        int32_t species[kLanes];  // -1 for an unused lane of the last group
        int32_t first, count;     // into the interleaved arrays, in rows of kLanes terms
    };
    std::vector<Group> groups_;
    std::vector<int32_t> reactions_;   // interleaved, padded with `padding`
    std::vector<double> coefficients_; // interleaved, padded with 0
};

}  // namespace vantor::chem
