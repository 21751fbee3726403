#include "outside/psr/psr_equations.h"

#include <algorithm>
#include <cmath>

#include "chemlib/mechanism_layout.h"

namespace vantor::psr {
namespace {

// Forward-difference steps: relative to the value, and never below the floor, so a species at a
// trace amount gets a step far above round-off in its residual.
constexpr double kRelativeStep = 1e-8;
constexpr double kMassFractionFloor = 1e-6;
constexpr double kLogTimeStep = 1e-7;

}  // namespace

StirredReactorEquations::StirredReactorEquations(chem::Mechanism& mechanism, double pressure,
                                                 const std::vector<double>& inletMassFractions, double inletTemperature)
    : reactor_(mechanism, pressure),
      mech_(mechanism),
      kk_(mechanism.KK()),
      inletY_(inletMassFractions),
      inletT_(inletTemperature) {
    const auto n = static_cast<size_t>(kk_) + 1;
    y_.resize(n);
    ydot_.resize(n);
    h_.resize(n);
    cpR_.resize(n);
    shiftedG_.resize(n);
    inletH_ = Enthalpy(inletY_.data(), inletT_, &inletCp_);
}

double StirredReactorEquations::Enthalpy(const double* Y, double T, double* cp) {
    mech_.Enthalpies(T, h_.data());
    mech_.HeatCapacities(T, cpR_.data());
    double h = 0.0, cpSum = 0.0;
    for (int k = 0; k < kk_; ++k) {
        const double w = reactor_.MolecularWeight(k);
        h += Y[k] * h_[static_cast<size_t>(k)] / w;
        cpSum += Y[k] * cpR_[static_cast<size_t>(k)] / w;
    }
    if (cp) *cp = cpSum * chem::kGasConstant;
    return h;
}

bool StirredReactorEquations::Residuals(const ReactorState& state, double* G) {
    std::copy(state.massFractions.begin(), state.massFractions.end(), y_.begin());
    y_[static_cast<size_t>(kk_)] = state.temperature;
    if (!reactor_.Derivatives(y_.data(), ydot_.data())) return false;
    const double tau = std::exp(state.logResidenceTime);
    for (size_t k = 0; k < static_cast<size_t>(kk_); ++k) G[k] = inletY_[k] - y_[k] + tau * ydot_[k];
    G[kk_] = (inletH_ - Enthalpy(y_.data(), state.temperature)) / inletCp_;
    for (int k = 0; k <= kk_; ++k) {
        if (!std::isfinite(G[k])) return false;
    }
    return true;
}

bool StirredReactorEquations::Jacobian(const ReactorState& state, LastUnknown last, const double* G, double* J) {
    const int n = Size();
    shifted_ = state;
    for (int j = 0; j < n; ++j) {
        double step = 0.0;
        if (j < kk_) {
            auto& Y = shifted_.massFractions[static_cast<size_t>(j)];
            step = kRelativeStep * std::max(std::fabs(Y), kMassFractionFloor);
            Y += step;
        } else if (last == LastUnknown::kTemperature) {
            step = kRelativeStep * state.temperature;
            shifted_.temperature += step;
        } else {
            step = kLogTimeStep;
            shifted_.logResidenceTime += step;
        }
        if (!Residuals(shifted_, shiftedG_.data())) return false;
        for (int i = 0; i < n; ++i)
            J[static_cast<size_t>(i) * n + j] = (shiftedG_[static_cast<size_t>(i)] - G[i]) / step;
        if (j < kk_) {
            shifted_.massFractions[static_cast<size_t>(j)] = state.massFractions[static_cast<size_t>(j)];
        } else {
            shifted_ = state;
        }
    }
    return true;
}

}  // namespace vantor::psr
