#include "outside/mixture/mixture_transport.h"

#include <algorithm>
#include <cmath>

#include "chemlib/mechanism_layout.h"
#include "chemlib/vector_exp.h"
#include "outside/mixture/collision_ratios.h"
#include "outside/pellor/log_polynomial_fit.h"
#include "outside/pellor/species_transport.h"
#include "outside/pellor/transport_data.h"

namespace vantor::mixture {
namespace {

constexpr double kAvogadro = 6.0221367e23;                     // 1/mol, with the library's gas constant
constexpr double kBoltzmann = chem::kGasConstant / kAvogadro;  // erg/K
constexpr int kThermalSamples = 60;                            // temperatures of the theta_kj fits

size_t PairIndex(int j, int k) {  // j <= k
    return static_cast<size_t>(k) * static_cast<size_t>(k + 1) / 2 + static_cast<size_t>(j);
}

// theta_kj(T) of the light species k with every j, fitted as polynomials in ln T over the binary's
// range (the fitter solves least squares for any values, not only logarithms).
void FitThermalDiffusion(const pellor::TransportFits& fits, int k, const pellor::LogPolynomialFitter& fitter,
                         const std::vector<double>& temperatures, double* coefficients) {
    const int kk = static_cast<int>(fits.names.size());
    std::vector<double> theta(temperatures.size());
    const auto& pk = fits.parameters[static_cast<size_t>(k)];
    const double wk = fits.weights[static_cast<size_t>(k)];
    for (int j = 0; j < kk; ++j) {
        double* out = coefficients + static_cast<size_t>(j) * static_cast<size_t>(fitter.Count());
        const double wj = fits.weights[static_cast<size_t>(j)];
        if (j == k || wj == wk) {
            std::fill(out, out + fitter.Count(), 0.0);
            continue;
        }
        const pellor::PairPotential pair = pellor::CombinedPotential(pk, fits.parameters[static_cast<size_t>(j)]);
        for (size_t i = 0; i < temperatures.size(); ++i) {
            const CollisionRatios r = ReducedCollisionRatios(kBoltzmann * temperatures[i] / pair.epsilon, pair.reducedDipole);
            theta[i] = ThermalDiffusionFactor(r) * (wk - wj) / (wk + wj);
        }
        fitter.FitLogs(theta.data(), out);
    }
}

}  // namespace

bool MixtureTransport::Bind(const chem::Mechanism& mechanism, const pellor::TransportFits& fits, std::string& error) {
    const int kk = mechanism.KK();
    const auto nk = static_cast<size_t>(kk);
    if (fits.names.size() != nk) {
        error = "the transport fits hold " + std::to_string(fits.names.size()) + " species, the mechanism " +
                std::to_string(kk);
        return false;
    }
    const int no = fits.coefficients;
    const auto n = static_cast<size_t>(std::max(no, 0));
    if (no < 1 || fits.weights.size() != nk || fits.parameters.size() != nk || fits.viscosity.size() != n * nk ||
        fits.conductivity.size() != n * nk || fits.diffusion.size() != n * nk * nk ||
        !(fits.referencePressure > 0.0) || !(fits.maxTemperature > fits.minTemperature && fits.minTemperature > 0.0)) {
        error = "the transport fits are incomplete (array sizes, coefficients, range or reference pressure)";
        return false;
    }
    for (int k = 1; k <= kk; ++k) {
        const auto i = static_cast<size_t>(k - 1);
        const std::string name = mechanism.SpeciesName(k);
        if (pellor::UpperCase(fits.names[i]) != pellor::UpperCase(name)) {
            const bool elsewhere = std::any_of(fits.names.begin(), fits.names.end(), [&](const std::string& s) {
                return pellor::UpperCase(s) == pellor::UpperCase(name);
            });
            error = "species " + std::to_string(k) + " " + name + ": " +
                    (elsewhere ? "the transport fits list it in another place (" + fits.names[i] + " here)"
                               : "no transport fits for it (" + fits.names[i] + " in its place)");
            return false;
        }
        const double w = mechanism.MolecularWeight(k);
        if (!(std::abs(fits.weights[i] - w) <= 1e-6 * w)) {
            error = "species " + name + ": molecular weight " + std::to_string(fits.weights[i]) +
                    " in the transport fits, " + std::to_string(w) + " in the mechanism";
            return false;
        }
    }

    kk_ = kk;
    no_ = no;
    referencePressure_ = fits.referencePressure;
    weights_ = fits.weights;
    viscosityFits_ = fits.viscosity;
    conductivityFits_ = fits.conductivity;
    const size_t pairs = nk * (nk + 1) / 2;
    diffusionFits_.assign(n * pairs, 0.0);
    for (int k = 0; k < kk; ++k) {
        for (int j = 0; j <= k; ++j) {
            const size_t from = (static_cast<size_t>(j) + nk * static_cast<size_t>(k)) * n;
            for (size_t c = 0; c < n; ++c) diffusionFits_[c * pairs + PairIndex(j, k)] = fits.diffusion[from + c];
        }
    }
    quarterWeight_.resize(nk);
    wilkeDenominator_.resize(nk * nk);
    for (size_t k = 0; k < nk; ++k) {
        quarterWeight_[k] = std::pow(weights_[k], 0.25);
        for (size_t j = 0; j < nk; ++j) {
            wilkeDenominator_[k * nk + j] = 1.0 / std::sqrt(8.0 * (1.0 + weights_[k] / weights_[j]));
        }
    }

    light_.clear();
    for (int k = 0; k < kk; ++k) {
        if (weights_[static_cast<size_t>(k)] < kLightSpeciesWeight) light_.push_back(k);
    }
    thermalFits_.assign(light_.size() * nk * n, 0.0);
    if (!light_.empty()) {
        std::vector<double> temperatures(kThermalSamples);
        for (int i = 0; i < kThermalSamples; ++i) {
            temperatures[static_cast<size_t>(i)] =
                fits.minTemperature + (fits.maxTemperature - fits.minTemperature) * i / (kThermalSamples - 1);
        }
        const pellor::LogPolynomialFitter fitter(temperatures, no);
        for (size_t l = 0; l < light_.size(); ++l) {
            FitThermalDiffusion(fits, light_[l], fitter, temperatures, thermalFits_.data() + l * nk * n);
        }
    }

    speciesT_ = pairT_ = powersT_ = wilkeT_ = -1.0;
    logPowers_.assign(n, 0.0);
    viscosity_.assign(nk, 0.0);
    inverseRootViscosity_.assign(nk, 0.0);
    conductivity_.assign(nk, 0.0);
    inverseDiffusion_.assign(pairs, 0.0);
    wilke_.assign(nk * nk, 0.0);
    sums_.assign(nk, 0.0);
    scratch_.assign(std::max(pairs, 2 * nk), 0.0);
    floored_.assign(nk, 0.0);
    return true;
}

void MixtureTransport::UpdatePowers(double T) const {
    if (T == powersT_) return;
    const double lnT = std::log(T);
    double power = 1.0;
    for (auto& p : logPowers_) {
        p = power;
        power *= lnT;
    }
    powersT_ = T;
}

// Sum_n fits[n + NO k] (ln T)^n into out[k], then exp.
void MixtureTransport::EvaluateSpeciesFits(const std::vector<double>& fits, double* logs) const {
    const auto nk = static_cast<size_t>(kk_), n = static_cast<size_t>(no_);
    for (size_t k = 0; k < nk; ++k) {
        double sum = 0.0;
        for (size_t c = n; c-- > 0;) sum += fits[k * n + c] * logPowers_[c];
        logs[k] = sum;
    }
}

void MixtureTransport::UpdateSpecies(double T) const {
    if (T == speciesT_) return;
    UpdatePowers(T);
    const auto nk = static_cast<size_t>(kk_);
    double* logs = scratch_.data();
    EvaluateSpeciesFits(viscosityFits_, logs);
    for (size_t k = 0; k < nk; ++k) logs[nk + k] = -0.5 * logs[k];
    chem::ExpArray(logs, logs, 2 * kk_);
    std::copy(logs, logs + nk, viscosity_.begin());
    std::copy(logs + nk, logs + 2 * nk, inverseRootViscosity_.begin());
    EvaluateSpeciesFits(conductivityFits_, conductivity_.data());
    chem::ExpArray(conductivity_.data(), conductivity_.data(), kk_);
    speciesT_ = T;
}

void MixtureTransport::UpdatePairs(double T) const {
    if (T == pairT_) return;
    UpdatePowers(T);
    const auto nk = static_cast<size_t>(kk_), n = static_cast<size_t>(no_);
    const size_t pairs = nk * (nk + 1) / 2;
    double* logs = scratch_.data();
    // In blocks that stay in the first-level cache across the coefficients.
    constexpr size_t kBlock = 512;
    for (size_t begin = 0; begin < pairs; begin += kBlock) {
        const size_t end = std::min(pairs, begin + kBlock);
        for (size_t i = begin; i < end; ++i) logs[i] = -diffusionFits_[i];
        for (size_t c = 1; c < n; ++c) {
            const double* a = diffusionFits_.data() + c * pairs;
            const double p = logPowers_[c];
            for (size_t i = begin; i < end; ++i) logs[i] -= a[i] * p;
        }
    }
    chem::ExpArray(logs, inverseDiffusion_.data(), static_cast<int32_t>(pairs));
    pairT_ = T;
}

void MixtureTransport::UpdateWilke(double T) const {
    if (T == wilkeT_) return;
    UpdateSpecies(T);
    const auto nk = static_cast<size_t>(kk_);
    // (mu_k/mu_j)^1/2 (W_j/W_k)^1/4 = (mu_k^1/2 / W_k^1/4) (W_j^1/4 / mu_j^1/2)
    double* column = sums_.data();
    for (size_t j = 0; j < nk; ++j) column[j] = quarterWeight_[j] * inverseRootViscosity_[j];
    for (size_t k = 0; k < nk; ++k) {
        const double row = 1.0 / column[k];
        const double* denominator = wilkeDenominator_.data() + k * nk;
        double* phi = wilke_.data() + k * nk;
        for (size_t j = 0; j < nk; ++j) {
            const double f = 1.0 + row * column[j];
            phi[j] = f * f * denominator[j];
        }
    }
    wilkeT_ = T;
}

double MixtureTransport::Floor(const double* X) const {
    double sum = 0.0;
    for (int k = 0; k < kk_; ++k) {
        floored_[static_cast<size_t>(k)] = std::max(X[k], kMoleFractionFloor);
        sum += floored_[static_cast<size_t>(k)];
    }
    return sum;
}

void MixtureTransport::SpeciesViscosities(double T, double* mu) const {
    UpdateSpecies(T);
    std::copy(viscosity_.begin(), viscosity_.end(), mu);
}

void MixtureTransport::SpeciesConductivities(double T, double* lambda) const {
    UpdateSpecies(T);
    std::copy(conductivity_.begin(), conductivity_.end(), lambda);
}

double MixtureTransport::Viscosity(double T, const double* X) const {
    UpdateWilke(T);
    Floor(X);
    const auto nk = static_cast<size_t>(kk_);
    const double* x = floored_.data();
    double mu = 0.0;
    for (size_t k = 0; k < nk; ++k) {
        const double* phi = wilke_.data() + k * nk;
        double sum = 0.0;
        for (size_t j = 0; j < nk; ++j) sum += x[j] * phi[j];
        mu += x[k] * viscosity_[k] / sum;
    }
    return mu;
}

double MixtureTransport::Conductivity(double T, const double* X) const {
    UpdateSpecies(T);
    const double total = Floor(X);
    double direct = 0.0, inverse = 0.0;
    for (size_t k = 0; k < static_cast<size_t>(kk_); ++k) {
        direct += floored_[k] * conductivity_[k];
        inverse += floored_[k] / conductivity_[k];
    }
    return 0.5 * (direct / total + total / inverse);
}

void MixtureTransport::DiffusionCoefficients(double T, double P, const double* X, double* Dkm) const {
    UpdatePairs(T);
    const double total = Floor(X);
    const auto nk = static_cast<size_t>(kk_);
    const double* x = floored_.data();
    double massTotal = 0.0;
    for (size_t j = 0; j < nk; ++j) massTotal += x[j] * weights_[j];
    const double scale = referencePressure_ * total / P;  // normalized X and D(P) = D(PREF) PREF/P
    // sum_{j != k} X_j / D_jk over the pairs j < k, each read once for both of its species.
    double* sums = sums_.data();
    std::fill(sums, sums + nk, 0.0);
    for (size_t k = 1; k < nk; ++k) {
        const double* row = inverseDiffusion_.data() + PairIndex(0, static_cast<int>(k));
        const double xk = x[k];
        double sum = 0.0;
        for (size_t j = 0; j < k; ++j) {
            sum += x[j] * row[j];
            sums[j] += xk * row[j];
        }
        sums[k] += sum;
    }
    for (size_t k = 0; k < nk; ++k) {
        double others = massTotal - x[k] * weights_[k];
        if (x[k] > 0.5 * total) {  // the subtraction would cancel: sum the other species' mass
            others = 0.0;
            for (size_t j = 0; j < nk; ++j) others += j == k ? 0.0 : x[j] * weights_[j];
        }
        Dkm[k] = scale * (others / massTotal) / sums[k];
    }
}

void MixtureTransport::ThermalDiffusionRatios(double T, const double* X, double* theta) const {
    UpdatePowers(T);
    const auto nk = static_cast<size_t>(kk_), n = static_cast<size_t>(no_);
    std::fill(theta, theta + nk, 0.0);
    for (size_t l = 0; l < light_.size(); ++l) {
        const auto k = static_cast<size_t>(light_[l]);
        const double* fits = thermalFits_.data() + l * nk * n;
        double sum = 0.0;
        for (size_t j = 0; j < nk; ++j) {
            double g = 0.0;
            for (size_t c = n; c-- > 0;) g += fits[j * n + c] * logPowers_[c];
            sum += X[j] * g;
        }
        theta[k] = X[k] * sum;
    }
}

}  // namespace vantor::mixture
