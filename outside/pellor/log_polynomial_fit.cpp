#include "outside/pellor/log_polynomial_fit.h"

#include <algorithm>
#include <cmath>

namespace vantor::pellor {

// Householder QR of the Vandermonde matrix in ln T: the normal equations would square its
// condition number.
LogPolynomialFitter::LogPolynomialFitter(const std::vector<double>& temperatures, int count)
    : rows_(temperatures.size()),
      cols_(static_cast<size_t>(count)),
      powers_(rows_ * cols_),
      r_(rows_ * cols_),
      reflector_(rows_ * cols_, 0.0),
      norm2_(cols_, 0.0) {
    std::vector<double>& a = r_;
    for (size_t i = 0; i < rows_; ++i) {
        const double x = std::log(temperatures[i]);
        double power = 1.0;
        for (size_t j = 0; j < cols_; ++j) {
            a[j * rows_ + i] = powers_[i * cols_ + j] = power;
            power *= x;
        }
    }
    for (size_t j = 0; j < cols_; ++j) {
        double norm = 0.0;
        for (size_t i = j; i < rows_; ++i) norm += a[j * rows_ + i] * a[j * rows_ + i];
        norm = std::sqrt(norm);
        const double alpha = a[j * rows_ + j] > 0.0 ? -norm : norm;
        double* v = &reflector_[j * rows_];
        for (size_t i = j; i < rows_; ++i) v[i] = a[j * rows_ + i];
        v[j] -= alpha;
        double vv = 0.0;
        for (size_t i = j; i < rows_; ++i) vv += v[i] * v[i];
        norm2_[j] = vv;
        if (vv == 0.0) continue;
        for (size_t k = j; k < cols_; ++k) {
            double dot = 0.0;
            for (size_t i = j; i < rows_; ++i) dot += v[i] * a[k * rows_ + i];
            for (size_t i = j; i < rows_; ++i) a[k * rows_ + i] -= 2.0 * dot / vv * v[i];
        }
    }
}

void LogPolynomialFitter::FitLogs(const double* logValues, double* coefficients) const {
    std::vector<double> y(logValues, logValues + rows_);
    for (size_t j = 0; j < cols_; ++j) {
        const double vv = norm2_[j];
        if (vv == 0.0) continue;
        const double* v = &reflector_[j * rows_];
        double dot = 0.0;
        for (size_t i = j; i < rows_; ++i) dot += v[i] * y[i];
        for (size_t i = j; i < rows_; ++i) y[i] -= 2.0 * dot / vv * v[i];
    }
    for (size_t j = cols_; j-- > 0;) {
        double sum = y[j];
        for (size_t k = j + 1; k < cols_; ++k) sum -= r_[k * rows_ + j] * coefficients[k];
        coefficients[j] = sum / r_[j * rows_ + j];
    }
}

double LogPolynomialFitter::LargestDeviation(const double* logValues, const double* coefficients) const {
    double lowest = 0.0, highest = 0.0;
    for (size_t i = 0; i < rows_; ++i) {
        double fit = 0.0;
        for (size_t n = 0; n < cols_; ++n) fit += coefficients[n] * powers_[i * cols_ + n];
        const double residual = fit - logValues[i];
        if (residual < lowest) lowest = residual;
        if (residual > highest) highest = residual;
    }
    return std::max(std::expm1(highest), -std::expm1(lowest));
}

std::vector<double> FitLogPolynomial(const std::vector<double>& temperatures, const std::vector<double>& values,
                                     int count) {
    std::vector<double> logs(values.size()), coefficients(static_cast<size_t>(count));
    for (size_t i = 0; i < values.size(); ++i) logs[i] = std::log(values[i]);
    LogPolynomialFitter(temperatures, count).FitLogs(logs.data(), coefficients.data());
    return coefficients;
}

double EvaluateLogPolynomial(const std::vector<double>& coefficients, double T) {
    const double x = std::log(T);
    double sum = 0.0;
    for (size_t n = coefficients.size(); n-- > 0;) sum = sum * x + coefficients[n];
    return std::exp(sum);
}

}  // namespace vantor::pellor
