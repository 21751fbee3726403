#include "outside/psr/burning_start.h"

#include <cmath>

#include "common/fixed_format.h"
#include "outside/psr/burned_guess.h"
#include "outside/psr/psr_newton.h"

namespace vantor::psr {
namespace {

// A burning state has at least this share of the complete-combustion temperature rise.
constexpr double kBurningRiseShare = 0.5;
// At the start's long residence times a hot burning state is close to equilibrium; one below this
// share of the rise may be a cool flame's (a slow low-temperature oxidation).
constexpr double kNearlyCompleteShare = 0.9;
// Below this rise (K) the mixture releases no heat worth a flame.
constexpr double kLeastRise = 1.0;
constexpr int kNewtonIterations = 40;
constexpr int kStepIterations = 10;
constexpr int kPseudoSteps = 400;
constexpr double kFirstPseudoStep = 1e-7;  // s
constexpr double kSmallestPseudoStep = 1e-16;
constexpr double kSettledChange = 20.0;  // K

// Backward-Euler steps from `state` with growing steps, trying the steady Newton iteration as the
// steps grow; true with `state` steady.
bool PseudoTransient(StirredReactorEquations& eq, ReactorState& state, int& iterations, std::string& why) {
    const double tau = std::exp(state.logResidenceTime);
    double dt = kFirstPseudoStep, elapsed = 0.0;
    for (int step = 1; step <= kPseudoSteps; ++step) {
        ReactorState trial = state;
        const std::vector<double> old = state.massFractions;
        const NewtonReport r = SolveNewton(eq, LastUnknown::kTemperature, trial, kStepIterations, tau / dt, &old);
        iterations += r.iterations;
        if (r.rateFailure) {
            why = r.error;
            return false;
        }
        if (!r.converged) {
            dt *= 0.25;
            if (dt < kSmallestPseudoStep) {
                why = "pseudo-time steps fell below " + FormatFull(kSmallestPseudoStep) + " s: " + r.error;
                return false;
            }
            continue;
        }
        state = std::move(trial);
        elapsed += dt;
        dt *= r.iterations <= 4 ? 3.0 : 1.5;
        if (step % 5 == 0 || elapsed > tau) {
            ReactorState steady = state;
            const NewtonReport s = SolveNewton(eq, LastUnknown::kTemperature, steady, kStepIterations);
            iterations += s.iterations;
            // Taken only once the steps have nearly settled: from far away Newton may jump to
            // another steady state (the cold one) than the one the steps approach.
            if (s.converged && std::fabs(steady.temperature - state.temperature) < kSettledChange) {
                state = std::move(steady);
                return true;
            }
        }
    }
    why = "no steady state after " + std::to_string(kPseudoSteps) + " pseudo-time steps";
    return false;
}

}  // namespace

BurningStart FindBurningState(StirredReactorEquations& eq, const chem::Mechanism& mechanism,
                              const std::vector<double>& inletMoleFractions,
                              const std::function<void(const std::string&)>& progress) {
    BurningStart start;
    std::vector<double> products;
    if (!CompleteCombustionProducts(mechanism, inletMoleFractions, products)) {
        start.message =
            "the inlet has too little oxygen to burn its carbon to CO, or its products (CO2, CO, H2O, "
            "H2, O2) are not all in the mechanism";
        return start;
    }
    std::vector<double> Y(products.size());
    mechanism.MoleToMassFractions(products.data(), Y.data());
    const double Tin = eq.InletTemperature();
    start.productsTemperature = EqualEnthalpyTemperature(eq, Y);
    const double rise = start.productsTemperature - Tin;
    if (rise < kLeastRise) {
        start.kind = BurningStart::Kind::kNotFlammable;
        start.message = "not flammable: burned completely the inlet would reach only " +
                        FormatFull(start.productsTemperature) + " K";
        return start;
    }
    std::string lastState;
    for (const double tau : kStartResidenceTimes) {
        ReactorState state{Y, start.productsTemperature, std::log(tau)};
        const NewtonReport r = SolveNewton(eq, LastUnknown::kTemperature, state, kNewtonIterations);
        start.iterations += r.iterations;
        if (r.rateFailure) {
            start.kind = BurningStart::Kind::kRateFailure;
            start.message = r.error;
            return start;
        }
        std::string why;
        if (!r.converged && !PseudoTransient(eq, state, start.iterations, why)) {
            start.message = "no steady state at tau = " + FormatFull(tau) + " s: " + why;
            return start;
        }
        // Newton from far away may land on the cold state, or on a cool flame's, though a hotter
        // one exists: the pseudo-time steps from the products settle on the hot one first.
        if (r.converged && state.temperature - Tin < kNearlyCompleteShare * rise) {
            ReactorState relaxed{Y, start.productsTemperature, std::log(tau)};
            if (PseudoTransient(eq, relaxed, start.iterations, why) && relaxed.temperature > state.temperature)
                state = std::move(relaxed);
        }
        if (progress) {
            progress("steady state at tau = " + FormatFull(tau) + " s: T = " + FormatFull(state.temperature) +
                     " K (complete combustion: " + FormatFull(start.productsTemperature) + " K)");
        }
        if (state.temperature - Tin >= kBurningRiseShare * rise) {
            start.kind = BurningStart::Kind::kBurning;
            start.state = std::move(state);
            return start;
        }
        lastState =
            "at tau = " + FormatFull(tau) + " s the reactor stays at T = " + FormatFull(state.temperature) + " K";
    }
    start.kind = BurningStart::Kind::kNotFlammable;
    start.message = "not flammable: no burning state even at the longest residence time; " + lastState + " against " +
                    FormatFull(start.productsTemperature) + " K burned completely";
    return start;
}

}  // namespace vantor::psr
