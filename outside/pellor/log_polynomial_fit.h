#pragma once
// Least-squares fits ln(value) = sum_n a_n (ln T)^n, the form of every fit in the transport binary.

#include <vector>

namespace vantor::pellor {

// Coefficients a_0..a_{count-1} fitted to the positive `values` at `temperatures`.
std::vector<double> FitLogPolynomial(const std::vector<double>& temperatures, const std::vector<double>& values,
                                     int count);
double EvaluateLogPolynomial(const std::vector<double>& coefficients, double T);

}  // namespace vantor::pellor
