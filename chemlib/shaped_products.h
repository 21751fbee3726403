#pragma once
// Products of a rate constant and a few concentrations, both directions of a reaction at once,
// grouped by how many concentrations each side multiplies: one tight loop per shape, without
// padding factors or branches.

#include <cstdint>
#include <vector>

namespace vantor::chem {

class ShapedProducts {
public:
    static constexpr int kWidth = 4;  // at most this many concentrations a side

    void Clear();
    // Reaction i: RF(i) = KF(i) x C(forward[0]) x ... x C(forward[f-1]), RR(i) likewise, the
    // factors multiplied in the order given.
    void Add(int32_t i, const int32_t* forward, int f, const int32_t* reverse, int r);
    void Evaluate(const double* KF, const double* KR, const double* C, double* RF, double* RR) const;

private:
    // Shape (f, r) at f x (kWidth + 1) + r: per reaction 1 + f + r indices.
    std::vector<int32_t> entries_[(kWidth + 1) * (kWidth + 1)];
};

}  // namespace vantor::chem
