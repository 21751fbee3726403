#include "outside/senkin/constant_pressure_reactor.h"

#include <cmath>

#include "chemlib/mechanism_layout.h"
#include "common/fixed_format.h"

namespace vantor::senkin {

ConstantPressureReactor::ConstantPressureReactor(chem::Mechanism& mechanism, double pressure)
    : mech_(mechanism), kk_(mechanism.KK()), pressure_(pressure) {
    const auto kk = static_cast<size_t>(kk_);
    w_.resize(kk);
    invW_.resize(kk);
    for (size_t k = 0; k < kk; ++k) {
        w_[k] = mechanism.MolecularWeight(static_cast<int32_t>(k) + 1);
        invW_[k] = 1.0 / w_[k];
    }
    wdot_.resize(kk);
    h_.resize(kk);
    cpR_.resize(kk);
    qf_.resize(static_cast<size_t>(mechanism.II()));
    qr_.resize(static_cast<size_t>(mechanism.II()));
}

void ConstantPressureReactor::InitialState(const std::vector<double>& X, double T, double* y) const {
    mech_.MoleToMassFractions(X.data(), y);
    y[kk_] = T;
}

void ConstantPressureReactor::MoleFractions(const double* y, double* X) const {
    double sum = 0.0;
    for (int k = 0; k < kk_; ++k) sum += y[k] * invW_[static_cast<size_t>(k)];
    for (int k = 0; k < kk_; ++k) X[k] = y[k] * invW_[static_cast<size_t>(k)] / sum;
}

bool ConstantPressureReactor::Derivatives(const double* y, double* ydot, StateProperties* properties) {
    const double T = y[kk_];
    if (!std::isfinite(T) || T <= 0.0) {
        error_ = "temperature " + FormatFull(T) + " K";
        return false;
    }
    double moles = 0.0;  // mol/g
    for (int k = 0; k < kk_; ++k) moles += y[k] * invW_[static_cast<size_t>(k)];
    if (!(moles > 0.0) || !std::isfinite(moles)) {
        error_ = "mass fractions without a mean molecular weight";
        return false;
    }
    const int32_t rateStatus = mech_.ProductionRates(rateMessages_, pressure_, T, y, wdot_.data(), qf_.data(),
                                                     qr_.data());
    if (rateStatus > 0) {
        error_ = "rate evaluation failed (status " + std::to_string(rateStatus) + ") at T = " + FormatFull(T) +
                 " K: " + rateMessages_.str();
        while (!error_.empty() && (error_.back() == '\n' || error_.back() == '\r')) error_.pop_back();
        rateMessages_.str("");
        return false;
    }
    mech_.Enthalpies(T, h_.data());
    mech_.HeatCapacities(T, cpR_.data());
    rho_ = pressure_ / (moles * chem::kGasConstant * T);
    double cpOverR = 0.0, heat = 0.0;
    for (size_t k = 0; k < static_cast<size_t>(kk_); ++k) {
        cpOverR += y[k] * cpR_[k] * invW_[k];
        heat += h_[k] * wdot_[k];
        ydot[k] = wdot_[k] * w_[k] / rho_;
    }
    cpMass_ = cpOverR * chem::kGasConstant;
    ydot[kk_] = -heat / (rho_ * cpMass_);
    if (!std::isfinite(ydot[kk_]) || !std::isfinite(heat)) {
        error_ = "rates not finite at T = " + FormatFull(T) + " K";
        return false;
    }
    if (properties) {
        properties->density = rho_;
        properties->meanMolecularWeight = 1.0 / moles;
        properties->temperatureSlope = ydot[kk_];
        properties->heatRelease = -heat;
    }
    return true;
}

}  // namespace vantor::senkin
