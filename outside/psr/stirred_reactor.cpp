#include "outside/psr/stirred_reactor.h"

#include <algorithm>
#include <cmath>

#include "common/fixed_format.h"
#include "outside/psr/burning_start.h"
#include "outside/psr/psr_newton.h"

namespace vantor::psr {
namespace {

constexpr int kStepIterations = 12;
constexpr int kMaxBranchPoints = 2000;
// Residence-time steps (in ln tau): the first, the largest, the smallest before the temperature
// takes over as the parameter.
constexpr double kFirstLogStep = -0.5, kLargestLogStep = -2.3, kSmallestLogStep = -2e-3;
// A temperature drop per step beyond which ln tau is too steep a parameter (K), and the largest
// drop a residence-time step may give before it counts as a jump off the branch.
constexpr double kSwitchDrop = 15.0, kJumpDrop = 60.0;
// Temperature steps (K): the usual, the smallest, and the one of the final refinement.
constexpr double kTemperatureStep = -10.0, kSmallestTemperatureStep = -0.05, kRefineStep = 1.0;
// Lower than this share of the rise above the inlet the branch has no turning point to find.
constexpr double kLowestRiseShare = 0.05;

using Progress = std::function<void(const std::string&)>;

void Say(const Progress& progress, const std::string& line) {
    if (progress) progress(line);
}

// Linear extrapolation of the state from a and b (b the later) by `fraction` of their distance.
ReactorState Extrapolated(const ReactorState& a, const ReactorState& b, double fraction) {
    ReactorState p = b;
    for (size_t k = 0; k < p.massFractions.size(); ++k) {
        p.massFractions[k] = std::max(0.0, b.massFractions[k] + fraction * (b.massFractions[k] - a.massFractions[k]));
    }
    p.temperature = b.temperature + fraction * (b.temperature - a.temperature);
    p.logResidenceTime = b.logResidenceTime + fraction * (b.logResidenceTime - a.logResidenceTime);
    return p;
}

// The vertex temperature of the parabola ln tau(T) through three points (clamped to their span).
double VertexTemperature(const ReactorState& a, const ReactorState& b, const ReactorState& c) {
    const double x1 = a.temperature, x2 = b.temperature, x3 = c.temperature;
    const double y1 = a.logResidenceTime, y2 = b.logResidenceTime, y3 = c.logResidenceTime;
    const double d = (x1 - x2) * (x1 - x3) * (x2 - x3);
    const double A = (x3 * (y2 - y1) + x2 * (y1 - y3) + x1 * (y3 - y2)) / d;
    const double B = (x3 * x3 * (y1 - y2) + x2 * x2 * (y3 - y1) + x1 * x1 * (y2 - y3)) / d;
    if (!(A > 0.0)) return x2;
    return std::clamp(-B / (2.0 * A), std::min({x1, x2, x3}), std::max({x1, x2, x3}));
}

class BranchFollower {
public:
    BranchFollower(StirredReactorEquations& eq, double productsTemperature)
        : eq_(eq), productsT_(productsTemperature) {}

    std::vector<ReactorState> points;
    int iterations = 0;
    std::string failure;

    // Down the branch in ln tau until the temperature falls too fast for it.
    bool FollowInResidenceTime() {
        double h = kFirstLogStep;
        while (static_cast<int>(points.size()) < kMaxBranchPoints) {
            const ReactorState& last = points.back();
            ReactorState p = last;
            if (points.size() >= 2) {
                const ReactorState& before = points[points.size() - 2];
                p = Extrapolated(before, last, h / (last.logResidenceTime - before.logResidenceTime));
            } else {
                p.logResidenceTime += h;
            }
            const NewtonReport r = Solve(LastUnknown::kTemperature, p);
            const double drop = last.temperature - p.temperature;
            if (!r.converged || drop > kJumpDrop || drop < -1.0) {
                h *= 0.5;
                if (h > kSmallestLogStep) return true;
                continue;
            }
            points.push_back(p);
            if (drop > kSwitchDrop) return true;
            if (r.iterations <= 4) h = std::max(h * 1.6, kLargestLogStep);
            if (r.iterations >= 8) h *= 0.5;
        }
        failure = "more than " + std::to_string(kMaxBranchPoints) + " branch points";
        return false;
    }

    // Down the branch in temperature until ln tau turns; the last three points then bracket the
    // minimum.
    bool FollowInTemperature() {
        double step = kTemperatureStep;
        const double lowest = eq_.InletTemperature() + kLowestRiseShare * (productsT_ - eq_.InletTemperature());
        while (static_cast<int>(points.size()) < kMaxBranchPoints) {
            ReactorState p = Predicted(points.back().temperature + step);
            const NewtonReport r = Solve(LastUnknown::kLogResidenceTime, p);
            if (!r.converged) {
                step *= 0.5;
                if (step > kSmallestTemperatureStep) {
                    failure = "the branch cannot be followed below T = " + FormatFull(points.back().temperature) +
                              " K, tau = " + FormatFull(std::exp(points.back().logResidenceTime)) + " s: " + r.error;
                    return false;
                }
                continue;
            }
            points.push_back(p);
            const size_t n = points.size();
            if (n >= 3 && points[n - 1].logResidenceTime > points[n - 2].logResidenceTime) return true;
            if (p.temperature < lowest) {
                failure = "the burning branch falls to T = " + FormatFull(p.temperature) + " K without a turning point";
                return false;
            }
            step = std::max(step * 1.5, kTemperatureStep);
        }
        failure = "more than " + std::to_string(kMaxBranchPoints) + " branch points";
        return false;
    }

    // The state at temperature T: the residence time, from the nearest point's state.
    bool StateAt(double T, ReactorState& out) {
        out = Predicted(T);
        return Solve(LastUnknown::kLogResidenceTime, out).converged;
    }

private:
    NewtonReport Solve(LastUnknown last, ReactorState& state) {
        NewtonReport r = SolveNewton(eq_, last, state, kStepIterations, 0.0, nullptr, &factors_);
        iterations += r.iterations;
        return r;
    }
    // From the two points nearest T (in temperature).
    ReactorState Predicted(double T) const {
        std::vector<const ReactorState*> near;
        for (const auto& p : points) near.push_back(&p);
        std::sort(near.begin(), near.end(), [T](const ReactorState* a, const ReactorState* b) {
            return std::fabs(a->temperature - T) < std::fabs(b->temperature - T);
        });
        ReactorState p = *near[0];
        if (near.size() >= 2 && near[0]->temperature != near[1]->temperature) {
            p = Extrapolated(*near[1], *near[0],
                             (T - near[0]->temperature) / (near[0]->temperature - near[1]->temperature));
        }
        p.temperature = T;
        return p;
    }

    StirredReactorEquations& eq_;
    double productsT_;
    NewtonFactors factors_;
};

StirredReactorResult Failed(StirredReactorOutcome outcome, std::string message) {
    StirredReactorResult result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

// The inlet checked and normalised; empty `error` when fine.
std::vector<double> InletMoleFractions(const chem::Mechanism& mechanism, const StirredReactorRequest& request,
                                       std::string& error) {
    std::vector<double> X = request.moleFractions;
    if (X.size() != static_cast<size_t>(mechanism.KK())) {
        error = std::to_string(X.size()) + " mole fractions for " + std::to_string(mechanism.KK()) + " species";
        return X;
    }
    double sum = 0.0;
    for (size_t k = 0; k < X.size(); ++k) {
        if (!std::isfinite(X[k]) || X[k] < 0.0) {
            error =
                "mole fraction of " + mechanism.SpeciesName(static_cast<int32_t>(k) + 1) + " is " + FormatFull(X[k]);
            return X;
        }
        sum += X[k];
    }
    if (!(sum > 0.0)) error = "the inlet mixture has no species";
    if (!std::isfinite(request.pressure) || !(request.pressure > 0.0)) {
        error = "pressure " + FormatFull(request.pressure) + " dyn/cm2 is not above 0";
    }
    if (!std::isfinite(request.inletTemperature) || !(request.inletTemperature > 0.0)) {
        error = "inlet temperature " + FormatFull(request.inletTemperature) + " K is not above 0";
    }
    for (double& x : X) x /= sum;
    return X;
}

}  // namespace

const char* OutcomeName(StirredReactorOutcome outcome) {
    switch (outcome) {
        case StirredReactorOutcome::kExtinctionFound: return "extinction found";
        case StirredReactorOutcome::kNoConvergence: return "no convergence";
        case StirredReactorOutcome::kNotFlammable: return "not flammable";
        case StirredReactorOutcome::kRateFailure: return "rate failure";
    }
    return "unknown";
}

StirredReactorResult SolveStirredReactor(chem::Mechanism& mechanism, const StirredReactorRequest& request) {
    std::string error;
    const std::vector<double> X = InletMoleFractions(mechanism, request, error);
    if (!error.empty()) return Failed(StirredReactorOutcome::kNoConvergence, "bad request: " + error);
    std::vector<double> Yin(X.size());
    mechanism.MoleToMassFractions(X.data(), Yin.data());
    StirredReactorEquations eq(mechanism, request.pressure, Yin, request.inletTemperature);

    const BurningStart start = FindBurningState(eq, mechanism, X, request.progress);
    switch (start.kind) {
        case BurningStart::Kind::kBurning: break;
        case BurningStart::Kind::kNotFlammable: return Failed(StirredReactorOutcome::kNotFlammable, start.message);
        case BurningStart::Kind::kRateFailure: return Failed(StirredReactorOutcome::kRateFailure, start.message);
        case BurningStart::Kind::kNoConvergence: return Failed(StirredReactorOutcome::kNoConvergence, start.message);
    }
    BranchFollower branch(eq, start.productsTemperature);
    branch.points.push_back(start.state);
    const auto fail = [&](const std::string& why) {
        StirredReactorResult r = Failed(StirredReactorOutcome::kNoConvergence, why);
        r.newtonIterations = start.iterations + branch.iterations;
        for (const auto& p : branch.points) {
            r.residenceTime.push_back(std::exp(p.logResidenceTime));
            r.temperature.push_back(p.temperature);
        }
        return r;
    };
    if (!branch.FollowInResidenceTime()) return fail(branch.failure);
    const ReactorState& turn = branch.points.back();
    Say(request.progress, "temperature steps from tau = " + FormatFull(std::exp(turn.logResidenceTime)) +
                              " s, T = " + FormatFull(turn.temperature) + " K (" +
                              std::to_string(branch.points.size()) + " points)");
    if (!branch.FollowInTemperature()) return fail(branch.failure);

    // The minimum of tau: a parabola through the bracketing points, then again through points
    // one kelvin apart around its vertex.
    const size_t n = branch.points.size();
    ReactorState best = branch.points[n - 2];
    double vertex = VertexTemperature(branch.points[n - 3], best, branch.points[n - 1]);
    std::vector<ReactorState> refined(3);
    bool refinedOk = true;
    for (int i = 0; i < 3 && refinedOk; ++i) {
        refinedOk = branch.StateAt(vertex + (i - 1) * kRefineStep, refined[static_cast<size_t>(i)]);
    }
    if (refinedOk) {
        vertex = VertexTemperature(refined[2], refined[1], refined[0]);
        ReactorState atVertex;
        if (branch.StateAt(vertex, atVertex)) refined.push_back(atVertex);
        for (const auto& p : refined) {
            if (p.logResidenceTime < best.logResidenceTime) best = p;
        }
    }
    StirredReactorResult result;
    result.outcome = StirredReactorOutcome::kExtinctionFound;
    result.extinctionTime = std::exp(best.logResidenceTime);
    result.extinctionTemperature = best.temperature;
    result.extinctionMassFractions = best.massFractions;
    result.newtonIterations = start.iterations + branch.iterations;
    branch.points.pop_back();  // past the turning point
    for (const auto& p : branch.points) {
        if (p.temperature <= best.temperature) continue;
        result.residenceTime.push_back(std::exp(p.logResidenceTime));
        result.temperature.push_back(p.temperature);
    }
    result.residenceTime.push_back(result.extinctionTime);
    result.temperature.push_back(result.extinctionTemperature);
    result.message =
        refinedOk ? "extinction found" : "extinction found (10 K bracket; the 1 K refinement did not converge)";
    Say(request.progress, "extinction at tau = " + FormatFull(result.extinctionTime) +
                              " s, T = " + FormatFull(result.extinctionTemperature) + " K");
    return result;
}

}  // namespace vantor::psr
