#include "outside/premix/flame_residual.h"

#include <algorithm>
#include <cmath>

#include "chemlib/mechanism_layout.h"
#include "common/fixed_format.h"

namespace vantor::premix {

FlameResidual::FlameResidual(chem::Mechanism& mechanism, const mixture::MixtureTransport& transport,
                             double pressure, double unburnedTemperature, std::vector<double> unburnedMassFractions,
                             bool thermalDiffusion)
    : mech_(mechanism), transport_(transport), kk_(mechanism.KK()), pressure_(pressure), tu_(unburnedTemperature),
      yu_(std::move(unburnedMassFractions)), thermalDiffusion_(thermalDiffusion) {
    const auto kk = static_cast<size_t>(kk_);
    w_.resize(kk);
    for (size_t k = 0; k < kk; ++k) w_[k] = mechanism.MolecularWeight(static_cast<int32_t>(k) + 1);
    h_.resize(kk);
    cpR_.resize(kk);
    wdot_.resize(kk);
    xmid_.resize(kk);
    dwork_.resize(kk);
    twork_.resize(kk);
    qf_.resize(static_cast<size_t>(std::max(1, mechanism.II())));
    qr_.resize(qf_.size());
}

void FlameResidual::SetGrid(std::vector<double> x, int fixedPoint, double fixedTemperature) {
    x_ = std::move(x);
    fixedPoint_ = fixedPoint;
    fixedTemperature_ = fixedTemperature;
    ++version_;
    const size_t n = x_.size(), kk = static_cast<size_t>(kk_);
    lambda_.assign(n, 0.0);
    diff_.assign(n * kk, 0.0);
    thermal_.assign(n * kk, 0.0);
    base_.assign(n, PointSource{});
    basePointers_.resize(n);
    for (size_t j = 0; j < n; ++j) basePointers_[j] = &base_[j];
    flux_.assign(n * kk, 0.0);
    wbar_.assign(n, 0.0);
    xm_.assign(n * kk, 0.0);
    dt_ = 0.0;
}

void FlameResidual::HoldTemperature(std::vector<double> profile, double massFlux) {
    holdTemperature_ = true;
    ++version_;
    heldT_ = std::move(profile);
    heldM_ = massFlux;
}

void FlameResidual::SetTimeStep(double dt, const std::vector<double>& old) {
    dt_ = dt;
    if (dt > 0.0) old_ = old;
}

double FlameResidual::MeanWeight(const double* y) const {
    double s = 0.0;
    for (int k = 0; k < kk_; ++k) s += y[k] / w_[static_cast<size_t>(k)];
    return 1.0 / s;
}

double FlameResidual::Density(const double* point) const {
    return pressure_ * MeanWeight(point + 1) / (chem::kGasConstant * point[0]);
}

void FlameResidual::UpdateTransport(const std::vector<double>& u) {
    const int n = Points(), nv = BlockSize();
    const auto kk = static_cast<size_t>(kk_);
    std::vector<double> y(kk);
    for (int j = 0; j + 1 < n; ++j) {
        const double* a = &u[static_cast<size_t>(j * nv)];
        const double* b = a + nv;
        const double T = 0.5 * (a[0] + b[0]);
        for (size_t k = 0; k < kk; ++k) y[k] = 0.5 * (a[1 + k] + b[1 + k]);
        const double wbar = MeanWeight(y.data());
        for (size_t k = 0; k < kk; ++k) xmid_[k] = std::max(0.0, y[k] * wbar / w_[k]);
        const auto jj = static_cast<size_t>(j);
        lambda_[jj] = transport_.Conductivity(T, xmid_.data());
        transport_.DiffusionCoefficients(T, pressure_, xmid_.data(), &diff_[jj * kk]);
        if (thermalDiffusion_) {
            transport_.ThermalDiffusionRatios(T, xmid_.data(), twork_.data());
            for (size_t k = 0; k < kk; ++k) thermal_[jj * kk + k] = diff_[jj * kk + k] * twork_[k];
        }
    }
}

bool FlameResidual::Source(const std::vector<double>& u, int j, PointSource& s) {
    const auto kk = static_cast<size_t>(kk_);
    const double* p = &u[static_cast<size_t>(j * BlockSize())];
    const double T = std::clamp(p[0], 200.0, 6000.0);
    const int32_t status = mech_.ProductionRates(messages_, pressure_, T, p + 1, wdot_.data(), qf_.data(), qr_.data());
    if (status > 0) {
        error_ = "rate evaluation failed (status " + std::to_string(status) + ") at T = " + FormatFull(T) +
                 " K: " + messages_.str();
        while (!error_.empty() && (error_.back() == '\n' || error_.back() == '\r')) error_.pop_back();
        messages_.str("");
        return false;
    }
    mech_.Enthalpies(T, h_.data());
    mech_.HeatCapacities(T, cpR_.data());
    s.massRate.resize(kk);
    s.cpSpecies.resize(kk);
    double heat = 0.0, cp = 0.0;
    for (size_t k = 0; k < kk; ++k) {
        s.massRate[k] = wdot_[k] * w_[k];
        s.cpSpecies[k] = cpR_[k] * chem::kGasConstant / w_[k];
        cp += p[1 + k] * s.cpSpecies[k];
        heat += wdot_[k] * h_[k];
    }
    s.heat = heat;
    s.cp = cp;
    s.density = pressure_ * MeanWeight(p + 1) / (chem::kGasConstant * T);
    if (!std::isfinite(heat) || !std::isfinite(cp)) {
        error_ = "rates not finite at T = " + FormatFull(T) + " K";
        return false;
    }
    return true;
}

bool FlameResidual::Evaluate(const std::vector<double>& u, std::vector<double>& f) {
    for (int j = 0; j < Points(); ++j)
        if (!Source(u, j, base_[static_cast<size_t>(j)])) return false;
    Assemble(u, basePointers_, f);
    return true;
}

void FlameResidual::Assemble(const std::vector<double>& u, const std::vector<const PointSource*>& src,
                             std::vector<double>& f) {
    const int n = Points(), nv = BlockSize();
    const auto kk = static_cast<size_t>(kk_);
    f.assign(u.size(), 0.0);
    auto at = [&](int j) { return &u[static_cast<size_t>(j * nv)]; };
    // Mole fractions at the points, then the corrected diffusion fluxes rho Y_k V_k per interval.
    for (int j = 0; j < n; ++j) {
        const double* p = at(j);
        const auto jj = static_cast<size_t>(j);
        wbar_[jj] = MeanWeight(p + 1);
        for (size_t k = 0; k < kk; ++k) xm_[jj * kk + k] = p[1 + k] * wbar_[jj] / w_[k];
    }
    for (int j = 0; j + 1 < n; ++j) {
        const double* a = at(j);
        const double* b = at(j + 1);
        const auto jj = static_cast<size_t>(j);
        const double dx = x_[jj + 1] - x_[jj];
        const double T = 0.5 * (a[0] + b[0]);
        double ysum = 0.0;
        for (size_t k = 0; k < kk; ++k) ysum += 0.5 * (a[1 + k] + b[1 + k]) / w_[k];
        const double wbar = 1.0 / ysum;
        const double rho = pressure_ * wbar / (chem::kGasConstant * T);
        const double dlnT = (b[0] - a[0]) / (T * dx);
        double* flux = &flux_[jj * kk];
        double sum = 0.0;
        for (size_t k = 0; k < kk; ++k) {
            const double dX = (xm_[(jj + 1) * kk + k] - xm_[jj * kk + k]) / dx;
            double v = -rho * diff_[jj * kk + k] * w_[k] / wbar * dX;
            if (thermalDiffusion_) v -= rho * thermal_[jj * kk + k] * w_[k] / wbar * dlnT;
            flux[k] = v;
            sum += v;
        }
        for (size_t k = 0; k < kk; ++k) flux[k] -= 0.5 * (a[1 + k] + b[1 + k]) * sum;
    }
    const size_t im = kk + 1;  // M's slot
    for (int j = 0; j < n; ++j) {
        const double* p = at(j);
        double* r = &f[static_cast<size_t>(j * nv)];
        const auto jj = static_cast<size_t>(j);
        const double M = p[im];
        // The mass flux: constant, its level set by the fixed temperature.
        if (holdTemperature_)
            r[im] = M - heldM_;
        else if (j == fixedPoint_)
            r[im] = p[0] - fixedTemperature_;
        else if (j < fixedPoint_)
            r[im] = at(j + 1)[im] - M;
        else
            r[im] = M - at(j - 1)[im];
        if (j == 0) {
            r[0] = p[0] - tu_;
            for (size_t k = 0; k < kk; ++k) r[1 + k] = M * yu_[k] - (M * p[1 + k] + flux_[k]);
            continue;
        }
        const double* q = at(j - 1);
        if (j == n - 1) {
            r[0] = holdTemperature_ ? p[0] - heldT_[jj] : p[0] - q[0];
            for (size_t k = 0; k < kk; ++k) r[1 + k] = p[1 + k] - q[1 + k];
            continue;
        }
        const double* s = at(j + 1);
        const double dxm = x_[jj] - x_[jj - 1], dxp = x_[jj + 1] - x_[jj], width = 0.5 * (x_[jj + 1] - x_[jj - 1]);
        const PointSource& c = *src[jj];
        const double* fm = &flux_[(jj - 1) * kk];
        const double* fp = &flux_[jj * kk];
        const bool transient = dt_ > 0.0;
        const double* o = transient ? &old_[jj * static_cast<size_t>(nv)] : nullptr;
        for (size_t k = 0; k < kk; ++k) {
            double v = M * (p[1 + k] - q[1 + k]) / dxm + (fp[k] - fm[k]) / width - c.massRate[k];
            if (transient) v += c.density * (p[1 + k] - o[1 + k]) / dt_;
            r[1 + k] = v;
        }
        if (holdTemperature_) {
            r[0] = p[0] - heldT_[jj];
        } else {
            double fluxHeat = 0.0;
            for (size_t k = 0; k < kk; ++k) fluxHeat += 0.5 * (fp[k] + fm[k]) * c.cpSpecies[k];
            const double conduction =
                (lambda_[jj] * (s[0] - p[0]) / dxp - lambda_[jj - 1] * (p[0] - q[0]) / dxm) / width;
            double v = M * c.cp * (p[0] - q[0]) / dxm - conduction + fluxHeat * (s[0] - q[0]) / (dxm + dxp) + c.heat;
            if (transient) v += c.density * c.cp * (p[0] - o[0]) / dt_;
            r[0] = v;
        }
    }
}

}  // namespace vantor::premix
