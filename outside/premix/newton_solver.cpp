#include "outside/premix/newton_solver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "outside/premix/flame_jacobian.h"

namespace vantor::premix {
namespace {

constexpr double kRelativeTolerance = 1e-4;
constexpr double kAbsoluteTolerance = 1e-9;
// A state this close (in units of the tolerances) where no damped step reduces the step any more
// is taken as converged: the rates' rounding leaves no better state to find.
constexpr double kStalledNorm = 10.0;
constexpr double kSpeciesFloor = -1e-8;
constexpr double kMinTemperature = 200.0, kMaxTemperature = 6000.0;
constexpr int kJacobianAge = 20;
constexpr double kMinTimeStep = 1e-10, kMaxTimeStep = 1e-3, kSteadyTimeStep = 1e-4;
// Rounds of Newton and time steps up to kMaxTimeStep; then rounds with steps up to kLongTimeStep,
// for flames near their lean limit whose burned gas approaches equilibrium over tenths of a
// second. Long steps from the start lead other flames astray on coarse grids.
constexpr int kRounds = 30, kLongRounds = 10;
constexpr double kLongTimeStep = 1e-1;

}  // namespace

double NewtonSolver::StepNorm(const std::vector<double>& u, const std::vector<double>& du) const {
    double norm = 0.0;
    for (size_t i = 0; i < u.size(); ++i)
        norm = std::max(norm, std::abs(du[i]) / (kAbsoluteTolerance + kRelativeTolerance * std::abs(u[i])));
    return norm;
}

// The largest fraction (at most 1) of the step that keeps mass fractions above the floor and the
// temperature within its range.
double NewtonSolver::BoundedStep(const std::vector<double>& u, const std::vector<double>& du) const {
    const int nv = residual_.BlockSize();
    double lambda = 1.0;
    for (size_t i = 0; i < u.size(); ++i) {
        const int var = static_cast<int>(i % static_cast<size_t>(nv));
        if (var == nv - 1 || du[i] == 0.0) continue;
        const double lo = var == 0 ? kMinTemperature : kSpeciesFloor;
        const double hi = var == 0 ? kMaxTemperature : 1.0 - kSpeciesFloor;
        const double next = u[i] + du[i];
        if (next < lo && u[i] > lo) lambda = std::min(lambda, (lo - u[i]) / du[i]);
        if (next > hi && u[i] < hi) lambda = std::min(lambda, (hi - u[i]) / du[i]);
    }
    return lambda;
}

bool NewtonSolver::Evaluate(const std::vector<double>& u) {
    residual_.UpdateTransport(u);
    if (residual_.Evaluate(u, f_)) return true;
    error_ = residual_.Error();
    return false;
}

bool NewtonSolver::Refresh(const std::vector<double>& u) {
    jacobianVersion_ = -1;
    if (!FlameJacobian(residual_, u, f_, jacobian_)) {
        error_ = residual_.Error();
        return false;
    }
    ++counters_.jacobians;
    if (!jacobian_.Factor()) {
        error_ = "singular Jacobian";
        return false;
    }
    jacobianVersion_ = residual_.Version();
    jacobianStep_ = residual_.TimeStep();
    return true;
}

SolveStatus NewtonSolver::Newton(std::vector<double>& u, int maxSteps) {
    if (!Evaluate(u)) return SolveStatus::kRateFailure;
    bool fresh = jacobianVersion_ != residual_.Version() || jacobianStep_ != residual_.TimeStep();
    if (fresh && !Refresh(u)) return SolveStatus::kFailed;
    std::vector<double> du(f_.size()), next(u.size()), du1, f1;
    for (size_t i = 0; i < du.size(); ++i) du[i] = -f_[i];
    jacobian_.Solve(du);
    double norm = StepNorm(u, du);
    int age = 0;
    for (int step = 0; step < maxSteps; ++step) {
        counters_.lastNorm = norm;
        if (!std::isfinite(norm)) break;
        if (norm <= 1.0) {
            for (size_t i = 0; i < u.size(); ++i) u[i] += du[i];
            ++counters_.newtonSolves;
            steps_ = step;
            return SolveStatus::kConverged;
        }
        double lambda = BoundedStep(u, du);
        bool accepted = false;
        double previous = norm;
        while (lambda > 1.0 / 256.0) {
            for (size_t i = 0; i < u.size(); ++i) next[i] = u[i] + lambda * du[i];
            if (residual_.Evaluate(next, f1)) {
                du1.resize(f1.size());
                for (size_t i = 0; i < f1.size(); ++i) du1[i] = -f1[i];
                jacobian_.Solve(du1);
                const double norm1 = StepNorm(next, du1);
                if (std::isfinite(norm1) && norm1 < norm) {
                    u.swap(next);
                    du.swap(du1);
                    f_.swap(f1);
                    norm = norm1;
                    accepted = true;
                    break;
                }
            }
            lambda *= 0.5;
        }
        ++age;
        if (!accepted && fresh) {
            if (norm > kStalledNorm) break;
            ++counters_.newtonSolves;
            steps_ = step;
            return SolveStatus::kConverged;
        }
        if (!accepted || lambda < 1.0 || age >= kJacobianAge || norm > 0.5 * previous) {
            // A stale Jacobian or a slow convergence: a new Jacobian here, and the step again.
            if (!Evaluate(u)) return SolveStatus::kRateFailure;
            if (!Refresh(u)) break;
            for (size_t i = 0; i < du.size(); ++i) du[i] = -f_[i];
            jacobian_.Solve(du);
            norm = StepNorm(u, du);
            age = 0;
            fresh = true;
        } else {
            fresh = false;
        }
    }
    if (error_.empty() || jacobianVersion_ >= 0)
        error_ = "Newton did not converge (scaled step norm " + std::to_string(norm) + ")";
    return SolveStatus::kFailed;
}

SolveStatus NewtonSolver::TimeSteps(std::vector<double>& u, int steps, double& dt, double maxStep) {
    int done = 0, successes = 0;
    std::vector<double> start;
    while (done < steps) {
        start = u;
        residual_.SetTimeStep(dt, start);
        const SolveStatus s = Newton(u, 20);
        residual_.SetTimeStep(0.0, start);
        if (s == SolveStatus::kConverged) {
            ++done;
            ++counters_.timeSteps;
            std::vector<double> change(u.size());
            for (size_t i = 0; i < u.size(); ++i) change[i] = u[i] - start[i];
            lastChange_ = StepNorm(u, change);
            if (++successes >= 5 && dt < maxStep) dt *= 2.0, successes = 0;
            continue;
        }
        u = start;
        successes = 0;
        dt *= 0.25;
        if (dt < kMinTimeStep) {
            error_ = "pseudo-time steps failed down to dt = 1e-10 s";
            return s == SolveStatus::kRateFailure ? s : SolveStatus::kFailed;
        }
    }
    return SolveStatus::kConverged;
}

SolveStatus NewtonSolver::Solve(std::vector<double>& u, const std::function<void(const std::string&)>& progress,
                                const std::string& stage) {
    double dt = 1e-7;
    for (int attempt = 0; attempt < kRounds + kLongRounds; ++attempt) {
        SolveStatus s = Newton(u, 60);
        // Newton lags the transport from its starting state: again from the solution until the
        // transport there changes nothing.
        for (int again = 0; s == SolveStatus::kConverged && steps_ > 0 && again < 4; ++again) s = Newton(u, 60);
        if (s == SolveStatus::kConverged) return s;
        if (progress) {
            char line[160];
            std::snprintf(line, sizeof line, "%s: %d points, Newton failed (step norm %.3e), time steps dt=%.1e s",
                          stage.c_str(), residual_.Points(), counters_.lastNorm, dt);
            progress(line);
        }
        const SolveStatus t = TimeSteps(u, attempt < 3 ? 20 : 50, dt, attempt < kRounds ? kMaxTimeStep : kLongTimeStep);
        if (t != SolveStatus::kConverged) return t;
        // Long time steps that no longer change the state: it is steady to the tolerances, even
        // where the steady Jacobian is too ill-conditioned for Newton's step.
        if (dt >= kSteadyTimeStep && lastChange_ <= 1.0) {
            counters_.lastNorm = lastChange_;
            return SolveStatus::kConverged;
        }
    }
    error_ = "no convergence after " + std::to_string(kRounds + kLongRounds) +
             " rounds of Newton and time steps (last step norm " +
             std::to_string(counters_.lastNorm) + ")";
    return SolveStatus::kFailed;
}

}  // namespace vantor::premix

