#include "outside/senkin/ignition_listing.h"

#include <cstdio>

#include "common/fixed_format.h"
#include "outside/senkin/steady_state.h"

namespace vantor::senkin {
namespace {

std::string Number(double value, const char* format = "%.6g") {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

std::string EndRule(const RunPlan& plan) {
    const std::string amount = FormatFull(plan.endTime);
    switch (plan.endMode) {
        case EndTimeMode::HighestTemperature:
            return amount + " x the time of the highest temperature (tmax)";
        case EndTimeMode::Seconds:
            return amount + " s (sec)";
        case EndTimeMode::IgnitionDelay:
            break;
    }
    return amount + " x the ignition delay (Tig)";
}

}  // namespace

// A text of several lines (a reader's messages) becomes several listing lines.
std::string ListingLine(const std::string& text) {
    std::string out;
    size_t start = 0;
    do {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() || out.empty()) out += " " + line + "\r\n";
        start = end + 1;
    } while (start < text.size());
    return out;
}

std::string ListingError(const std::string& text) { return ListingLine("* ERROR: " + text); }
std::string ListingWarning(const std::string& text) { return ListingLine("* WARNING: " + text); }

std::string ListingTitle() { return ListingLine("SENKIN: homogeneous ignition runs (adiabatic, constant pressure)"); }

std::string ListingRunDescription(const ListingContext& context, const RunPlan& plan) {
    std::string out;
    out += ListingLine("Mechanism binary: " + context.mechanismBinary);
    out += ListingLine("Species: " + std::to_string(context.species) + "   Reactions: " +
                       std::to_string(context.reactions));
    out += ListingLine("Cases: " + std::to_string(plan.cases.size()) + " (mixture outermost, then pressure, then "
                       "temperature), run on " + std::to_string(context.threads) + " thread(s)");
    out += ListingLine("End of a case: " + EndRule(plan) + ", never past the max. time " + FormatFull(plan.maxTime) +
                       " s");
    out += ListingLine("Integrator: CVODE BDF, Newton, KLU sparse direct solver; rtol " +
                       Number(context.integrator.relativeTolerance) + ", atol " +
                       Number(context.integrator.absoluteTolerance) +
                       (plan.firstStep > 0.0 ? ", first step " + FormatFull(plan.firstStep) + " s" : ""));
    out += ListingLine("Ignition delay: time of the largest dT/dt. Temperature rise: highest minus initial "
                       "temperature.");
    out += ListingLine("A case whose temperature rises less than 50 K has not ignited; it is recorded up to the "
                       "max. time (sec: the end time) and that time stands as its delay.");
    out += ListingLine("  Such a run ends earlier, as no ignition up to the time reached, once its state is steady: "
                       "while the time grew tenfold (10 steps");
    out += ListingLine("  at least) no mass fraction Y changed by more than " + Number(kSteadyRelativeChange) +
                       " max(Y, " + Number(kSteadyMassFractionFloor) + ") and the temperature by no more than " +
                       Number(kSteadyTemperatureChange) + " T");
    out += ListingLine("  (chemical equilibrium is such a state; a species building up from nothing gains 90 % of "
                       "itself in that time),");
    out += ListingLine("  or when the integrator's step limit (" + std::to_string(context.integrator.maxSteps) +
                       " steps) is reached before an ignition (with a warning).");
    out += ListingLine("Recorded states per case: " + std::to_string(plan.points) + ". With an ignition, half "
                       "(rounded up) at equal steps of temperature from 5 % to 95 % of the rise,");
    out += ListingLine("  of the rest half (rounded up) at equal steps of time before it from the initial state, "
                       "the others at equal steps of time after it to the end;");
    out += ListingLine("  without an ignition, at equal steps of time from the initial state to the end.");
    out += ListingLine("Data line values: 1 time (s), 2 pressure (dyn/cm2), 3 density (g/cm3), 4 mean molecular "
                       "weight (g/mol), 5 dT/dt (K/s),");
    out += ListingLine("  6 heat release rate (erg/(cm3 s)), 7 temperature (K), 8.. mole fractions in species "
                       "order.");
    return out;
}

std::string ListingCase(const IgnitionCase& c, const Mixture& mixture, const std::vector<std::string>& names,
                        const IntegrationOutcome& outcome, double wallSeconds, long maxSteps) {
    std::string out = ListingLine("");
    out += ListingLine("Case " + std::to_string(c.number) + ": mixture " + std::to_string(mixture.number) +
                       ", P = " + FormatFull(c.pressureAtm) + " atm, T = " + FormatFull(c.temperature) + " K");
    std::string composition = "  Initial mole fractions:";
    for (size_t i = 0; i < mixture.species.size(); ++i) {
        const auto k = static_cast<size_t>(mixture.species[i]);
        composition += " " + (k <= names.size() ? names[k - 1] : std::to_string(k)) + " " +
                       Number(mixture.moleFractions[i]);
    }
    out += ListingLine(composition);
    if (outcome.ignited) {
        out += ListingLine("  Ignition delay      " + Number(outcome.ignition.delay, "%.8E") + " s");
    } else {
        out += ListingLine("  No ignition: the temperature rose by less than 50 K up to " +
                           Number(outcome.endTime, "%.8E") + " s");
        if (outcome.stop == RunStop::Steady) {
            out += ListingLine("  Stopped early: the state was steady from " + Number(outcome.steadySince, "%.8E") +
                               " s; no ignition by t = " + Number(outcome.endTime, "%.8E") + " s");
        } else if (outcome.stop == RunStop::StepLimit) {
            out += ListingWarning(DescribeCase(c) + ": the integrator's step limit of " + std::to_string(maxSteps) +
                                  " steps was reached before an ignition; no ignition by t = " +
                                  Number(outcome.endTime, "%.8E") + " s");
        }
    }
    out += ListingLine("  Temperature rise    " + Number(outcome.ignition.rise, "%.4f") + " K");
    out += ListingLine("  Final temperature   " + Number(outcome.ignition.finalTemperature, "%.4f") + " K at " +
                       Number(outcome.endTime, "%.8E") + " s");
    out += ListingLine("  Integrator steps    " + std::to_string(outcome.steps));
    out += ListingLine("  Wall time           " + Number(wallSeconds, "%.3f") + " s");
    return out;
}

}  // namespace vantor::senkin
