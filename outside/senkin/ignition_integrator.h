#pragma once
// One ignition run: CVODE (BDF, Newton, KLU sparse direct solver with the reactor's Jacobian)
// from the initial state until the run's end time, keeping every internal step.
//
// When the run ends:
// - "sec": at EndTime seconds.
// - "Tig" and "tmax": the run goes on until the ignition has settled (a rise of at least 50 K, past
//   the largest dT/dt, and |dT/dt| x t no more than 1 K, so a first stage of a two-stage ignition
//   does not pass for the ignition), then ends at EndTime times the ignition delay ("Tig") or
//   times the time of the highest temperature ("tmax": the first time the temperature comes
//   within 1 K of the highest one reached by then). A run that has not ignited ends at MaxTime.
// - Never past MaxTime.
// - A run that has not ignited (yet) ends early once its state is steady (steady_state.h), or at
//   the integrator's step limit; both are "no ignition" up to the time reached, not failures.
// - An ignition has also settled once the run is past EndTime times the time of the largest dT/dt
//   and dT/dt has fallen below a millionth of the largest one; the step limit reached past the
//   end ends the run with its result. The step limit before the end of an ignited run, and every
//   failure of the integrator or of the rates, fail the run.

#include <string>

#include "outside/senkin/case_plan.h"
#include "outside/senkin/constant_pressure_reactor.h"
#include "outside/senkin/reactor_jacobian.h"
#include "outside/senkin/trajectory.h"

namespace vantor::senkin {

// rtol 1e-8 with atol 1e-15 on the mass fractions reproduces independent ignition delays to about
// 1e-5; atol 1e-20 changes them by less than 1e-7 for half again as many steps.
struct IntegratorSettings {
    double relativeTolerance = 1e-8;
    double absoluteTolerance = 1e-15;
    long maxSteps = 500000;
};

struct RunLimits {
    EndTimeMode mode = EndTimeMode::IgnitionDelay;
    double endTime = 2.0;   // in the unit of `mode`
    double maxTime = 1e10;  // s
    double firstStep = 0.0; // s; 0 lets the integrator choose
};

// How a run ended.
enum class RunStop {
    EndTime,    // at its end time (or MaxTime)
    Steady,     // not ignited, and its state no longer changed
    StepLimit,  // not ignited when the integrator's step limit was reached
};

// The integrator's work on one run, for benchmarks and tuning.
struct IntegratorWork {
    long rightHandSides = 0;     // evaluations of the derivatives, the Jacobian's own excluded
    long jacobians = 0;
    long matrixSetups = 0;       // factorisations of the Newton matrix
    long newtonIterations = 0;
    long newtonFailures = 0;     // steps retried because the Newton iteration did not converge
    long errorTestFailures = 0;  // steps retried because their local error was too large
};

struct IntegrationOutcome {
    bool ok = false;
    std::string error;         // why the run failed, with the time reached
    double endTime = 0.0;      // s, end of the recorded span (the trajectory's last time)
    bool ignited = false;      // the temperature rose by at least 50 K
    IgnitionSummary ignition;  // over everything integrated; finalTemperature at endTime
    long steps = 0;            // integrator steps
    IntegratorWork work;
    RunStop stop = RunStop::EndTime;
    double steadySince = 0.0;  // s, with RunStop::Steady: when the steady stretch began
};

// Integrates from state y0 and leaves in `trajectory` the steps from 0 to the run's end time.
IntegrationOutcome IntegrateIgnition(ConstantPressureReactor& reactor, ReactorJacobian& jacobian, const double* y0,
                                     const RunLimits& limits, const IntegratorSettings& settings,
                                     Trajectory& trajectory);

}  // namespace vantor::senkin
