#pragma once
// A block-tridiagonal matrix (n blocks of b x b, row-major) factored by block Thomas elimination
// with dense partial-pivoting LU of each diagonal block.

#include <cstddef>
#include <vector>

namespace vantor::premix {

class BlockTridiagonal {
public:
    void Resize(int blocks, int size);
    int Blocks() const { return n_; }
    int Size() const { return b_; }
    // Row i, column j of the coupling of point `point` to itself (Diagonal), to point-1 (Lower)
    // and to point+1 (Upper).
    double* Lower(int point) { return &lower_[Offset(point)]; }
    double* Diagonal(int point) { return &diag_[Offset(point)]; }
    double* Upper(int point) { return &upper_[Offset(point)]; }
    void Zero();
    // Factors in place; false when a diagonal block is singular.
    bool Factor();
    // Solves A x = rhs in place.
    void Solve(std::vector<double>& rhs) const;

private:
    size_t Offset(int point) const { return static_cast<size_t>(point) * static_cast<size_t>(b_ * b_); }
    bool FactorBlock(double* a, int* pivots) const;
    // Solves LU X = P M in place for the b x `columns` row-major M.
    void SolveRows(const double* lu, const int* pivots, double* m, int columns) const;

    int n_ = 0, b_ = 0;
    std::vector<double> lower_, diag_, upper_;
    std::vector<int> pivots_;
};

}  // namespace vantor::premix
