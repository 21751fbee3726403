#include "outside/psr/psr_newton.h"

#include <algorithm>
#include <cmath>

#include "common/fixed_format.h"
#include "outside/psr/dense_lu.h"

namespace vantor::psr {
namespace {

// Convergence: every correction below rtol |value| + atol.
constexpr double kRelativeTolerance = 1e-8;
constexpr double kMassFractionTolerance = 1e-12;
constexpr double kTemperatureTolerance = 1e-6;  // K
constexpr double kLogTimeTolerance = 1e-9;
constexpr int kHalvings = 8;
constexpr double kKeptJacobianReduction = 0.2;
// The temperature is kept where the thermo fits mean something.
constexpr double kLowestTemperature = 100.0, kHighestTemperature = 6000.0;

class Iteration {
public:
    Iteration(StirredReactorEquations& eq, LastUnknown last, double inverseStep, const std::vector<double>* old)
        : eq_(eq), last_(last), inverseStep_(inverseStep), old_(old), n_(eq.Size()), kk_(eq.SpeciesCount()) {}

    bool Residuals(const ReactorState& s, std::vector<double>& G) {
        G.resize(static_cast<size_t>(n_));
        if (!eq_.Residuals(s, G.data())) return false;
        if (inverseStep_ > 0.0) {
            for (size_t k = 0; k < static_cast<size_t>(kk_); ++k) {
                G[k] -= inverseStep_ * (s.massFractions[k] - (*old_)[k]);
            }
        }
        return true;
    }
    bool Jacobian(const ReactorState& s, const std::vector<double>& G, std::vector<double>& J) {
        J.resize(static_cast<size_t>(n_) * static_cast<size_t>(n_));
        // The differences are of the equations' own residuals, without the time term.
        const double* base = G.data();
        if (inverseStep_ > 0.0) {
            plain_.resize(G.size());
            if (!eq_.Residuals(s, plain_.data())) return false;
            base = plain_.data();
        }
        if (!eq_.Jacobian(s, last_, base, J.data())) return false;
        for (int k = 0; k < kk_; ++k) J[static_cast<size_t>(k) * n_ + k] -= inverseStep_;
        return true;
    }
    // The state moved by lambda times the correction, kept physical.
    ReactorState Moved(const ReactorState& s, const std::vector<double>& dz, double lambda) const {
        ReactorState t = s;
        for (size_t k = 0; k < static_cast<size_t>(kk_); ++k) {
            t.massFractions[k] = std::max(0.0, s.massFractions[k] + lambda * dz[k]);
        }
        if (last_ == LastUnknown::kTemperature) {
            t.temperature = std::clamp(s.temperature + lambda * dz[static_cast<size_t>(kk_)], kLowestTemperature,
                                       kHighestTemperature);
        } else {
            t.logResidenceTime = s.logResidenceTime + lambda * dz[static_cast<size_t>(kk_)];
        }
        return t;
    }
    // The correction measured in tolerances: at most 1 is converged.
    double WeightedSize(const ReactorState& s, const std::vector<double>& dz) const {
        double size = 0.0;
        for (size_t k = 0; k < static_cast<size_t>(kk_); ++k) {
            const double w = kRelativeTolerance * std::fabs(s.massFractions[k]) + kMassFractionTolerance;
            size = std::max(size, std::fabs(dz[k]) / w);
        }
        const double lastValue = last_ == LastUnknown::kTemperature ? s.temperature : s.logResidenceTime;
        const double w = last_ == LastUnknown::kTemperature ? kRelativeTolerance * lastValue + kTemperatureTolerance
                                                            : kLogTimeTolerance;
        return std::max(size, std::fabs(dz[static_cast<size_t>(kk_)]) / w);
    }

private:
    StirredReactorEquations& eq_;
    LastUnknown last_;
    double inverseStep_;
    const std::vector<double>* old_;
    int n_, kk_;
    std::vector<double> plain_;
};

}  // namespace

double ResidualNorm(const std::vector<double>& G, double inletTemperature) {
    double norm = 0.0;
    for (size_t k = 0; k + 1 < G.size(); ++k) norm = std::max(norm, std::fabs(G[k]));
    return G.empty() ? 0.0 : std::max(norm, std::fabs(G.back()) / inletTemperature);
}

NewtonReport SolveNewton(StirredReactorEquations& equations, LastUnknown last, ReactorState& state, int maxIterations,
                         double inverseStep, const std::vector<double>* oldMassFractions, NewtonFactors* factors) {
    NewtonReport report;
    Iteration it(equations, last, inverseStep, oldMassFractions);
    const double Tin = equations.InletTemperature();
    ReactorState current = state;
    std::vector<double> G, J, dz, trialG;
    if (!it.Residuals(current, G)) {
        report.rateFailure = true;
        report.error = "the rates cannot be evaluated at the starting state: " + equations.Error();
        return report;
    }
    double norm = ResidualNorm(G, Tin);
    NewtonFactors own;
    NewtonFactors& kept = factors && inverseStep == 0.0 ? *factors : own;
    DenseLu& lu = kept.lu;
    bool factored = kept.valid && kept.last == last, fresh = false;
    kept.valid = false;
    for (report.iterations = 1; report.iterations <= maxIterations; ++report.iterations) {
        if (!factored) {
            if (!it.Jacobian(current, G, J)) {
                report.error = "the Jacobian cannot be evaluated: " + equations.Error();
                return report;
            }
            if (!lu.Factor(J, equations.Size())) {
                report.error = "the Jacobian is singular";
                return report;
            }
            factored = fresh = true;
            kept.valid = true;
            kept.last = last;
        }
        dz.resize(G.size());
        for (size_t i = 0; i < G.size(); ++i) dz[i] = -G[i];
        lu.Solve(dz.data());
        const double size = it.WeightedSize(current, dz);
        double lambda = 1.0;
        bool accepted = false;
        ReactorState trial;
        double trialNorm = norm;
        for (int h = 0; h <= kHalvings && !accepted; ++h, lambda *= 0.5) {
            trial = it.Moved(current, dz, lambda);
            if (!it.Residuals(trial, trialG)) continue;
            trialNorm = ResidualNorm(trialG, Tin);
            accepted = trialNorm < norm || size * lambda <= 1.0;
        }
        if (!accepted) {
            if (!fresh) {  // an old Jacobian may be all that is wrong: once more with a new one
                factored = false;
                continue;
            }
            report.error = "no damped step lowers the residual (" + FormatFull(norm) + ")";
            report.residual = norm;
            return report;
        }
        // The factorisation is kept while it still cuts the residual fast (a chord step costs
        // one rate evaluation, a new Jacobian KK + 2).
        factored = trialNorm < kKeptJacobianReduction * norm;
        fresh = false;
        norm = trialNorm;
        current = std::move(trial);
        G.swap(trialG);
        if (size <= 1.0) {
            report.converged = true;
            report.residual = norm;
            kept.valid = true;
            kept.last = last;
            state = std::move(current);
            return report;
        }
    }
    report.iterations = maxIterations;
    report.residual = norm;
    report.error =
        "no convergence in " + std::to_string(maxIterations) + " iterations (residual " + FormatFull(norm) + ")";
    return report;
}

}  // namespace vantor::psr
