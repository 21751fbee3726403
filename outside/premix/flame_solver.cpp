// SolveFlame: the stages from a rough guess to the converged flame on the requested grid.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "chemlib/mechanism_layout.h"
#include "common/fixed_format.h"
#include "outside/premix/cold_boundary.h"
#include "outside/premix/flame.h"
#include "outside/premix/flame_residual.h"
#include "outside/premix/grid_refinement.h"
#include "outside/premix/initial_guess.h"
#include "outside/premix/memory_budget.h"
#include "outside/premix/newton_solver.h"

namespace vantor::premix {
namespace {

// Below this rise of the complete-combustion temperature no flame is attempted.
constexpr double kLeastTemperatureRise = 500.0;
// The first guess of the burning speed, cm/s.
constexpr double kGuessSpeed = 40.0;
// Each moves the inlet twice as far upstream of the fixed point.
constexpr int kMostWidenings = 4;
// A grid that holds no more points than this cannot resolve a flame to the usual criteria.
constexpr int kLeastUsefulPoints = 100;

FlameResult Fail(FlameOutcome outcome, std::string message, const SolverCounters& counters) {
    FlameResult r;
    r.outcome = outcome;
    r.message = std::move(message);
    r.newtonSolves = counters.newtonSolves;
    r.timeSteps = counters.timeSteps;
    r.lastResidual = counters.lastNorm;
    return r;
}

void Report(const FlameRequest& request, const char* stage, int points, const SolverCounters& c) {
    if (!request.progress) return;
    char line[200];
    std::snprintf(line, sizeof line, "%s: %d points, last step norm %.3e, %d Newton solves, %d time steps", stage,
                  points, c.lastNorm, c.newtonSolves, c.timeSteps);
    request.progress(line);
}

FlameResult Solve(chem::Mechanism& mechanism, const mixture::MixtureTransport& transport,
                  const FlameRequest& request) {
    SolverCounters counters;
    const int kk = mechanism.KK(), nv = kk + 2;
    if (static_cast<int>(request.moleFractions.size()) != kk)
        return Fail(FlameOutcome::kNoConvergence, "the mixture has " + std::to_string(request.moleFractions.size()) +
                                                      " mole fractions for " + std::to_string(kk) + " species",
                    counters);
    if (transport.SpeciesCount() != kk)
        return Fail(FlameOutcome::kNoConvergence, "the transport data are bound to another mechanism", counters);
    if (!(request.pressure > 0.0) || !(request.temperature >= 200.0 && request.temperature <= 3000.0))
        return Fail(FlameOutcome::kNoConvergence, "pressure " + FormatFull(request.pressure) + " dyn/cm2 or temperature " +
                                                      FormatFull(request.temperature) + " K out of range",
                    counters);
    double sum = 0.0;
    for (double v : request.moleFractions) {
        if (!(v >= 0.0)) return Fail(FlameOutcome::kNoConvergence, "a negative mole fraction", counters);
        sum += v;
    }
    if (!(sum > 0.0)) return Fail(FlameOutcome::kNoConvergence, "the mixture is empty", counters);
    std::vector<double> X(request.moleFractions), yu(static_cast<size_t>(kk));
    for (double& v : X) v /= sum;
    mechanism.MoleToMassFractions(X.data(), yu.data());

    Products products;
    std::string error;
    if (!CompleteCombustion(mechanism, yu, request.temperature, products, error))
        return Fail(FlameOutcome::kNotFlammable, "not flammable: " + error, counters);
    if (products.temperature - request.temperature < kLeastTemperatureRise)
        return Fail(FlameOutcome::kNotFlammable,
                    "not flammable: complete combustion reaches only " + FormatFull(products.temperature) +
                        " K from " + FormatFull(request.temperature) + " K",
                    counters);

    // The grid's limit: the request's, or what half of the memory holds of the Jacobian.
    const double perPoint = JacobianBytesPerPoint(nv), budget = FlameMemoryBudget();
    const int maxPoints = static_cast<int>(std::min<double>(request.maxPoints, budget / perPoint));
    if (budget / perPoint < kLeastUsefulPoints) {
        const double mb = 1.0 / (1 << 20);
        char line[300];
        std::snprintf(line, sizeof line,
                      "too big for this machine: with %d unknowns a grid point the Jacobian takes %.0f MB a "
                      "point; the %d points a flame needs at least would take %.0f MB, more than the %.0f MB "
                      "(half of the memory) a flame may use",
                      nv, perPoint * mb, kLeastUsefulPoints, kLeastUsefulPoints * perPoint * mb, budget * mb);
        return Fail(FlameOutcome::kNoConvergence, line, counters);
    }

    FlameResidual residual(mechanism, transport, request.pressure, request.temperature, yu, request.thermalDiffusion);
    std::vector<double> tu(static_cast<size_t>(nv), 0.0);
    tu[0] = request.temperature;
    std::copy(yu.begin(), yu.end(), tu.begin() + 1);
    const double rhoU = residual.Density(tu.data());
    std::vector<double> cpR(static_cast<size_t>(kk));
    const double tMid = request.temperature + 200.0;
    mechanism.HeatCapacities(tMid, cpR.data());
    double cp = 0.0;
    for (int k = 0; k < kk; ++k) cp += yu[static_cast<size_t>(k)] * cpR[static_cast<size_t>(k)] / residual.MolecularWeight(k);
    cp *= chem::kGasConstant;
    const double preheat = transport.Conductivity(tMid, X.data()) / (rhoU * kGuessSpeed * cp);
    InitialFlame start = StartingFlame(mechanism, yu, request.temperature, products,
                                       request.pressure / chem::kAtmosphere, rhoU * kGuessSpeed, preheat);
    std::vector<double> x = start.x, u = start.u;
    int fixed = start.fixedPoint;
    residual.SetGrid(x, fixed, start.fixedTemperature);
    auto holdAsIs = [&] {
        std::vector<double> held;
        for (size_t j = 0; j < x.size(); ++j) held.push_back(u[j * static_cast<size_t>(nv)]);
        residual.HoldTemperature(std::move(held), u[static_cast<size_t>(nv - 1)]);
    };
    holdAsIs();
    NewtonSolver solver(residual, counters);
    auto failed = [&](SolveStatus s, const char* stage) {
        const FlameOutcome outcome = s == SolveStatus::kRateFailure ? FlameOutcome::kRateFailure : FlameOutcome::kNoConvergence;
        return Fail(outcome, std::string(stage) + " on " + std::to_string(residual.Points()) + " points: " + solver.Error(),
                    counters);
    };
    SolveStatus s = solver.Solve(u, request.progress, "fixed temperature");
    if (s != SolveStatus::kConverged) return failed(s, "fixed temperature");
    Report(request, "fixed temperature", residual.Points(), counters);
    std::vector<double> heldX = x, heldU = u;
    int heldFixed = fixed, widenings = 0;
    auto roomToWiden = [&](const std::vector<double>& grid) {
        return widenings < kMostWidenings && static_cast<int>(grid.size()) + 4 <= maxPoints;
    };
    residual.SolveEnergy();
    s = solver.Solve(u, request.progress, "energy");
    // A slow flame whose preheat zone reaches the inlet has no steady state there: from the
    // held-temperature solution again, with the inlet further upstream.
    while (s == SolveStatus::kFailed && roomToWiden(heldX) && InletTooSteep(x, u, nv)) {
        WidenColdSide(heldX, heldU, nv, heldFixed);
        ++widenings;
        x = heldX, u = heldU, fixed = heldFixed;
        residual.SetGrid(x, fixed, start.fixedTemperature);
        holdAsIs();
        Report(request, "inlet moved upstream", residual.Points(), counters);
        s = solver.Solve(u, request.progress, "fixed temperature");
        if (s != SolveStatus::kConverged) return failed(s, "fixed temperature");
        residual.SolveEnergy();
        s = solver.Solve(u, request.progress, "energy");
    }
    if (s != SolveStatus::kConverged) return failed(s, "energy");
    Report(request, "energy", residual.Points(), counters);

    // A coarse pass first, so that most points go where the converged flame needs them. The
    // upwind convection makes the speed fall with the grid spacing (about 3 % from the criteria's
    // grid to a converged one for methane/air), so the last pass refines to half the criteria.
    const double passes[3][2] = {{std::max(0.2, request.slope), std::max(0.3, request.curvature)},
                                 {request.slope, request.curvature},
                                 {0.5 * request.slope, 0.5 * request.curvature}};
    double criteriaSpeed = 0.0;
    int criteriaPoints = 0;
    bool gridFull = false;
    for (int pass = 0; pass < 3; ++pass) {
        for (;;) {
            RefinedGrid grid = RefineGrid(x, u, nv, fixed, passes[pass][0], passes[pass][1], maxPoints);
            gridFull = gridFull || grid.limited;
            if (grid.added > 0) {
                x = std::move(grid.x);
                u = std::move(grid.u);
                fixed = grid.fixedPoint;
            } else if (roomToWiden(x) && InletTooSteep(x, u, nv)) {
                WidenColdSide(x, u, nv, fixed);
                ++widenings;
            } else {
                break;
            }
            residual.SetGrid(x, fixed, start.fixedTemperature);
            const std::vector<double> interpolated = u;
            s = solver.Solve(u, request.progress, "refinement");
            if (s == SolveStatus::kFailed) {
                // A new point halfway across an unresolved front starts hot and full of fuel and
                // runs away: its species relax at the interpolated temperatures first.
                u = interpolated;
                holdAsIs();
                s = solver.Solve(u, request.progress, "refinement, temperature held");
                if (s != SolveStatus::kConverged) return failed(s, "refinement, temperature held");
                residual.SolveEnergy();
                s = solver.Solve(u, request.progress, "refinement");
            }
            if (s != SolveStatus::kConverged) return failed(s, "refinement");
            Report(request, "refined", residual.Points(), counters);
        }
        if (pass == 1) criteriaSpeed = u[static_cast<size_t>(nv - 1)] / rhoU, criteriaPoints = residual.Points();
    }
    if (request.progress) {
        // What the finer pass changed: a first-order scheme leaves at least as much again to a
        // converged grid, the researcher's measure of the grid error.
        char line[200];
        std::snprintf(line, sizeof line, "grid: %.6g cm/s on %d points at the criteria, %.6g cm/s on %d at half of them",
                      criteriaSpeed, criteriaPoints, u[static_cast<size_t>(nv - 1)] / rhoU, residual.Points());
        request.progress(line);
    }
    const size_t n = x.size();
    const double M = u[static_cast<size_t>(nv - 1)];
    const double tEnd = u[(n - 1) * static_cast<size_t>(nv)];
    if (!(M > 0.0) || tEnd < start.fixedTemperature + 100.0)
        return Fail(FlameOutcome::kNotFlammable,
                    "not flammable: the solution has mass flux " + FormatFull(M) + " g/(cm2 s) and burned temperature " +
                        FormatFull(tEnd) + " K",
                    counters);
    FlameResult r;
    r.outcome = FlameOutcome::kConverged;
    r.message = "converged";
    // A speed on a full grid is a speed, but not one the criteria vouch for.
    if (gridFull)
        r.message += " on a full grid of " + std::to_string(maxPoints) + " points (" +
                     (maxPoints < request.maxPoints ? "what half of the memory holds of the Jacobian"
                                                    : "the grid's limit") +
                     "): some intervals still asked for points";
    r.flameSpeed = M / rhoU;
    r.newtonSolves = counters.newtonSolves;
    r.timeSteps = counters.timeSteps;
    r.lastResidual = counters.lastNorm;
    std::vector<double> f;
    residual.Evaluate(u, f);
    for (size_t j = 0; j < n; ++j) {
        const double* p = &u[j * static_cast<size_t>(nv)];
        r.x.push_back(x[j]);
        r.temperature.push_back(p[0]);
        r.velocity.push_back(M / residual.Density(p));
        r.heatRelease.push_back(-residual.BaseSources()[j].heat);
        std::vector<double> xj(static_cast<size_t>(kk));
        double moles = 0.0;
        for (int k = 0; k < kk; ++k) moles += p[1 + k] / residual.MolecularWeight(k);
        for (int k = 0; k < kk; ++k) xj[static_cast<size_t>(k)] = p[1 + k] / residual.MolecularWeight(k) / moles;
        r.moleFractions.push_back(std::move(xj));
    }
    return r;
}

}  // namespace

FlameResult SolveFlame(chem::Mechanism& mechanism, const mixture::MixtureTransport& transport,
                       const FlameRequest& request) {
    try {
        return Solve(mechanism, transport, request);
    } catch (const std::bad_alloc&) {  // the case fails, the other cases and the caller go on
        return Fail(FlameOutcome::kNoConvergence, "out of memory", SolverCounters{});
    }
}

}  // namespace vantor::premix
