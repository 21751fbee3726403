#pragma once
// LU factorisation with partial pivoting of a dense row-major matrix, for the Newton iteration of
// the stirred reactor (KK + 1 unknowns; a few hundred species factorise in milliseconds).

#include <vector>

namespace vantor::psr {

class DenseLu {
public:
    // Factorises the n x n row-major matrix `a` (copied). False when a pivot is zero or not finite.
    bool Factor(const std::vector<double>& a, int n);
    // Solves A x = b in place.
    void Solve(double* b) const;

private:
    int n_ = 0;
    std::vector<double> lu_;
    std::vector<int> pivot_;
};

}  // namespace vantor::psr
