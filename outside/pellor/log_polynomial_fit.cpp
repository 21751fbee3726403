#include "outside/pellor/log_polynomial_fit.h"

#include <cmath>

namespace vantor::pellor {

// Householder QR of the Vandermonde matrix in ln T: the normal equations would square its
// condition number.
std::vector<double> FitLogPolynomial(const std::vector<double>& temperatures, const std::vector<double>& values,
                                     int count) {
    const size_t rows = temperatures.size();
    const auto cols = static_cast<size_t>(count);
    std::vector<double> a(rows * cols), b(rows);  // a column-major
    for (size_t i = 0; i < rows; ++i) {
        const double x = std::log(temperatures[i]);
        double power = 1.0;
        for (size_t j = 0; j < cols; ++j) {
            a[j * rows + i] = power;
            power *= x;
        }
        b[i] = std::log(values[i]);
    }
    for (size_t j = 0; j < cols; ++j) {
        double norm = 0.0;
        for (size_t i = j; i < rows; ++i) norm += a[j * rows + i] * a[j * rows + i];
        norm = std::sqrt(norm);
        const double alpha = a[j * rows + j] > 0.0 ? -norm : norm;
        std::vector<double> v(rows, 0.0);
        for (size_t i = j; i < rows; ++i) v[i] = a[j * rows + i];
        v[j] -= alpha;
        double vv = 0.0;
        for (size_t i = j; i < rows; ++i) vv += v[i] * v[i];
        if (vv == 0.0) continue;
        for (size_t k = j; k < cols; ++k) {
            double dot = 0.0;
            for (size_t i = j; i < rows; ++i) dot += v[i] * a[k * rows + i];
            for (size_t i = j; i < rows; ++i) a[k * rows + i] -= 2.0 * dot / vv * v[i];
        }
        double dot = 0.0;
        for (size_t i = j; i < rows; ++i) dot += v[i] * b[i];
        for (size_t i = j; i < rows; ++i) b[i] -= 2.0 * dot / vv * v[i];
    }
    std::vector<double> coefficients(cols);
    for (size_t j = cols; j-- > 0;) {
        double sum = b[j];
        for (size_t k = j + 1; k < cols; ++k) sum -= a[k * rows + j] * coefficients[k];
        coefficients[j] = sum / a[j * rows + j];
    }
    return coefficients;
}

double EvaluateLogPolynomial(const std::vector<double>& coefficients, double T) {
    const double x = std::log(T);
    double sum = 0.0;
    for (size_t n = coefficients.size(); n-- > 0;) sum = sum * x + coefficients[n];
    return std::exp(sum);
}

}  // namespace vantor::pellor
