#pragma once
// Damped modified Newton on the flame residual, with backward-Euler pseudo-time steps when
// Newton cannot converge from the current state.

#include <functional>
#include <string>
#include <vector>

#include "outside/premix/block_tridiagonal.h"
#include "outside/premix/flame_residual.h"

namespace vantor::premix {

struct SolverCounters {
    int newtonSolves = 0, timeSteps = 0, jacobians = 0;
    double lastNorm = 0.0;  // scaled norm of the last undamped Newton step
};

enum class SolveStatus { kConverged, kFailed, kRateFailure };

class NewtonSolver {
public:
    NewtonSolver(FlameResidual& residual, SolverCounters& counters) : residual_(residual), counters_(counters) {}

    // Newton to the steady state (or, with a time step set on the residual, to the next time level).
    SolveStatus Newton(std::vector<double>& u, int maxSteps);
    // Newton, and when it fails, groups of pseudo-time steps between attempts.
    SolveStatus Solve(std::vector<double>& u, const std::function<void(const std::string&)>& progress,
                      const std::string& stage);
    // `steps` backward-Euler steps starting from dt (quartered on failure, doubled after
    // successes up to `maxStep`).
    SolveStatus TimeSteps(std::vector<double>& u, int steps, double& dt, double maxStep);

    const std::string& Error() const { return error_; }

private:
    double StepNorm(const std::vector<double>& u, const std::vector<double>& du) const;
    double BoundedStep(const std::vector<double>& u, const std::vector<double>& du) const;
    bool Evaluate(const std::vector<double>& u);  // transport and residual at u
    bool Refresh(const std::vector<double>& u);   // and the Jacobian, factored

    FlameResidual& residual_;
    SolverCounters& counters_;
    BlockTridiagonal jacobian_;
    std::vector<double> f_;
    std::string error_;
    int steps_ = 0;             // of the last converged Newton
    double lastChange_ = 1e300;  // scaled change of the last time step
    int jacobianVersion_ = -1;  // the residual's version and time step the factored Jacobian is for
    double jacobianStep_ = 0.0;
};

}  // namespace vantor::premix
