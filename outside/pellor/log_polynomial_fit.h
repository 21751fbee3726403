#pragma once
// Least-squares fits ln(value) = sum_n a_n (ln T)^n, the form of every fit in the transport binary.

#include <cstddef>
#include <vector>

namespace vantor::pellor {

// The factorization of one set of sample temperatures, made once and applied to any number of
// value sets: a fit is then a few hundred operations, which the millions of species pairs of a
// large mechanism need.
class LogPolynomialFitter {
public:
    LogPolynomialFitter(const std::vector<double>& temperatures, int count);

    int Count() const { return static_cast<int>(cols_); }
    // Coefficients a_0..a_{count-1} fitted to ln(value) given as `logValues` (one per temperature).
    void FitLogs(const double* logValues, double* coefficients) const;
    // The largest |fit / value - 1| of `coefficients` over the temperatures.
    double LargestDeviation(const double* logValues, const double* coefficients) const;

private:
    std::size_t rows_, cols_;
    std::vector<double> powers_;     // (rows, cols): (ln T_i)^n
    std::vector<double> r_;          // (rows, cols) column-major: R above the diagonal
    std::vector<double> reflector_;  // (rows, cols) column-major: Householder vector j from row j
    std::vector<double> norm2_;      // squared length of each Householder vector, 0 for none
};

// Coefficients a_0..a_{count-1} fitted to the positive `values` at `temperatures`.
std::vector<double> FitLogPolynomial(const std::vector<double>& temperatures, const std::vector<double>& values,
                                     int count);
double EvaluateLogPolynomial(const std::vector<double>& coefficients, double T);

}  // namespace vantor::pellor
