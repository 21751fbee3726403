#include "outside/senkin/ignition_integrator.h"

#include <cvode/cvode.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunmatrix/sunmatrix_sparse.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/fixed_format.h"
#include "outside/senkin/record_points.h"
#include "outside/senkin/sparse_lu_solver.h"
#include "outside/senkin/steady_state.h"

namespace vantor::senkin {
namespace {

// |dT/dt| x t below which an ignited mixture counts as settled, K.
constexpr double kSettledChange = 1.0;
// Past EndTime times the time of the largest dT/dt, a dT/dt below this fraction of the largest
// one also counts as settled: a mixture whose heat release has faded to a slow drift (a weak
// ignition creeping on for years of model time) never meets the first measure, while the plateau
// between the two stages of an ignition keeps far more of the first stage's slope (some percent
// for LLNL n-heptane at 700 and 800 K).
constexpr double kFadedSlopeRatio = 1e-6;
// "tmax": the highest temperature is reached when the temperature is this close to it, K.
constexpr double kHighestTemperatureBand = 1.0;
// How closely the Newton iteration solves each step. With CVODE's default (0.1) a step often
// stops after one iteration of the kept Newton matrix, leaving an iteration error of up to a
// third of the error estimate in the step's history: the next predictions are worse, more steps
// fail the error test and the steps stay short. Asked to converge this far, the iteration takes
// about two rate evaluations per step, and the steps are far fewer (LLNL n-heptane at 10 atm and
// 1000 K: 1140 instead of 1840, 32 error-test failures instead of 83; iso-octane at 20 atm: 1360
// instead of 2120); GRI-Mech 3.0 takes as many steps as before. An exact (difference-quotient)
// Jacobian changes none of these counts, so it is the iteration, not the Jacobian, that matters.
constexpr double kNewtonConvergence = 0.003;
// Where the iteration cannot get that close, round-off in a state of tiny, slow changes (a weak
// ignition creeping on for years of model time), a step fails to converge again and again and the
// step size collapses; from the first step that fails twice the run goes on at CVODE's default.
constexpr double kDefaultNewtonConvergence = 0.1;
constexpr long kFailuresToRelax = 2;
// The iteration may take five corrections before the step counts as not converged (CVODE's
// default: 3), which spares most of the retries at a quarter of the step the tight test would
// otherwise cost.
constexpr int kNewtonIterations = 5;
// Every setup of the Newton matrix takes a fresh Jacobian, and a setup comes at least every 20
// steps (CVODE's defaults: 20, and a Jacobian kept for 50). The Jacobian costs two rate
// evaluations, far less than the factorisation, which on the large mechanisms costs as much as
// some twenty rate evaluations; a stale Jacobian slows the iteration and makes it fail more often.
constexpr long kStepsPerSetup = 20;
constexpr long kStepsPerJacobian = 1;

struct CallbackData {
    ConstantPressureReactor* reactor;
    ReactorJacobian* jacobian;
    std::string lastProblem;  // the reactor's or the integrator's last complaint
};

int RightHandSide(sunrealtype, N_Vector y, N_Vector ydot, void* user) {
    auto* data = static_cast<CallbackData*>(user);
    if (data->reactor->Derivatives(N_VGetArrayPointer(y), N_VGetArrayPointer(ydot))) return 0;
    data->lastProblem = data->reactor->Error();
    return 1;  // recoverable: the integrator retries with a smaller step
}

int Jacobian(sunrealtype, N_Vector y, N_Vector fy, SUNMatrix J, void* user, N_Vector, N_Vector, N_Vector) {
    auto* data = static_cast<CallbackData*>(user);
    if (data->jacobian->Fill(*data->reactor, N_VGetArrayPointer(y), N_VGetArrayPointer(fy),
                             SUNSparseMatrix_Data(J))) {
        return 0;
    }
    data->lastProblem = data->reactor->Error();
    return 1;
}

// The Newton matrix's "zero": its values only. Its pattern is the Jacobian's, set once; the
// sparse matrix's own zero would clear the pattern too, to be copied back before every Jacobian.
int ZeroValues(SUNMatrix A) {
    std::fill_n(SUNSparseMatrix_Data(A), SUNSparseMatrix_NNZ(A), 0.0);
    return SUNMAT_SUCCESS;
}

void CaptureErrors(int code, const char*, const char* function, char* message, void* user) {
    if (code >= 0) return;  // warnings
    static_cast<CallbackData*>(user)->lastProblem = std::string(function) + ": " + message;
}

// Owns the integrator's objects for one run.
class CvodeSession {
public:
    explicit CvodeSession(const ReactorJacobian& jacobian) {
        const int size = jacobian.Size();
        ok_ = SUNContext_Create(nullptr, &context_) == 0;
        if (!ok_) return;
        y_ = N_VNew_Serial(size, context_);
        slope_ = N_VNew_Serial(size, context_);
        matrix_ = SUNSparseMatrix(size, size, jacobian.NonZeros(), CSC_MAT, context_);
        if (matrix_) {
            // The pattern holds the whole diagonal, so adding the identity keeps it.
            const auto& starts = jacobian.ColumnStarts();
            std::copy(starts.begin(), starts.end(), SUNSparseMatrix_IndexPointers(matrix_));
            std::copy(jacobian.Rows().begin(), jacobian.Rows().end(), SUNSparseMatrix_IndexValues(matrix_));
            matrix_->ops->zero = ZeroValues;
        }
        if (y_ && slope_ && matrix_) solver_ = NewSparseLuSolver(context_);
        if (solver_) memory_ = CVodeCreate(CV_BDF, context_);
        ok_ = ok_ && memory_ != nullptr;
    }
    ~CvodeSession() {
        if (memory_) CVodeFree(&memory_);
        if (solver_) SUNLinSolFree(solver_);
        if (matrix_) SUNMatDestroy(matrix_);
        if (slope_) N_VDestroy(slope_);
        if (y_) N_VDestroy(y_);
        if (context_) SUNContext_Free(&context_);
    }
    CvodeSession(const CvodeSession&) = delete;
    CvodeSession& operator=(const CvodeSession&) = delete;

    bool Ok() const { return ok_; }
    void* Memory() { return memory_; }
    N_Vector State() { return y_; }
    N_Vector Slope() { return slope_; }

    bool Configure(const double* y0, const RunLimits& limits, const IntegratorSettings& settings, double stopTime,
                   CallbackData& data) {
        std::copy_n(y0, N_VGetLength(y_), N_VGetArrayPointer(y_));
        return CVodeInit(memory_, RightHandSide, 0.0, y_) == CV_SUCCESS &&
               CVodeSetErrHandlerFn(memory_, CaptureErrors, &data) == CV_SUCCESS &&
               CVodeSetUserData(memory_, &data) == CV_SUCCESS &&
               CVodeSStolerances(memory_, settings.relativeTolerance, settings.absoluteTolerance) == CV_SUCCESS &&
               CVodeSetLinearSolver(memory_, solver_, matrix_) == CV_SUCCESS &&
               CVodeSetJacFn(memory_, Jacobian) == CV_SUCCESS &&
               CVodeSetMaxHnilWarns(memory_, -1) == CV_SUCCESS &&
               CVodeSetLSetupFrequency(memory_, kStepsPerSetup) == CV_SUCCESS &&
               CVodeSetJacEvalFrequency(memory_, kStepsPerJacobian) == CV_SUCCESS &&
               CVodeSetNonlinConvCoef(memory_, kNewtonConvergence) == CV_SUCCESS &&
               CVodeSetMaxNonlinIters(memory_, kNewtonIterations) == CV_SUCCESS &&
               CVodeSetStopTime(memory_, stopTime) == CV_SUCCESS &&
               (limits.firstStep <= 0.0 || CVodeSetInitStep(memory_, limits.firstStep) == CV_SUCCESS);
    }

    void RelaxNewtonWhereItStalls() {
        if (relaxed_) return;
        long failures = 0;
        CVodeGetNumNonlinSolvConvFails(memory_, &failures);
        if (failures - newtonFailures_ >= kFailuresToRelax) {
            relaxed_ = CVodeSetNonlinConvCoef(memory_, kDefaultNewtonConvergence) == CV_SUCCESS;
        }
        newtonFailures_ = failures;
    }

private:
    bool ok_ = false;
    bool relaxed_ = false;
    long newtonFailures_ = 0;
    SUNContext context_ = nullptr;
    N_Vector y_ = nullptr, slope_ = nullptr;
    SUNMatrix matrix_ = nullptr;
    SUNLinearSolver solver_ = nullptr;
    void* memory_ = nullptr;
};

// Follows the run step by step and decides when it may end.
class EndWatch {
public:
    EndWatch(const RunLimits& limits, double initialTemperature)
        : limits_(limits),
          initialT_(initialTemperature),
          highestT_(initialTemperature),
          limit_(limits.mode == EndTimeMode::Seconds ? std::min(limits.endTime, limits.maxTime) : limits.maxTime) {}

    double Limit() const { return limit_; }

    // Takes one step; returns the new stop time when the end became known at this step.
    bool Observe(double t, double T, double slope, const Trajectory& trajectory, double& stopTime) {
        if (slope > peakSlope_) {
            peakSlope_ = slope;
            peakTime_ = t;
        }
        highestT_ = std::max(highestT_, T);
        if (endKnown_ || limits_.mode == EndTimeMode::Seconds) return false;
        const bool faded = std::fabs(slope) <= kFadedSlopeRatio * peakSlope_ && t >= limits_.endTime * peakTime_;
        const bool settled = Ignited() && t > peakTime_ && (std::fabs(slope) * t <= kSettledChange || faded);
        if (!settled) return false;
        endKnown_ = true;
        end_ = EndFromIgnition(trajectory);
        stopTime = end_;
        return true;
    }

    bool Finished(double t) const { return t >= (endKnown_ ? end_ : limit_); }

    // The end of the recorded span once the integration stopped.
    double End(const Trajectory& trajectory) const {
        if (endKnown_) return end_;
        if (limits_.mode != EndTimeMode::Seconds && Ignited()) return EndFromIgnition(trajectory);
        return limit_;
    }

    bool Ignited() const { return highestT_ - initialT_ >= kIgnitionRise; }

    // An ignited run at or past its end, which it integrates on only until the ignition settles.
    bool PastEnd(double t, const Trajectory& trajectory) const {
        return Ignited() && (endKnown_ ? end_ : EndFromIgnition(trajectory)) <= t;
    }

private:
    double EndFromIgnition(const Trajectory& trajectory) const {
        double unit = peakTime_;
        if (limits_.mode == EndTimeMode::HighestTemperature) {
            unit = trajectory.FirstTimeAtTemperature(highestT_ - kHighestTemperatureBand).value_or(peakTime_);
        }
        return std::min(limits_.endTime * unit, limit_);
    }

    RunLimits limits_;
    double initialT_, highestT_;
    double limit_;
    double peakSlope_ = -std::numeric_limits<double>::infinity();
    double peakTime_ = 0.0;
    bool endKnown_ = false;
    double end_ = 0.0;
};

IntegrationOutcome Failure(std::string text, double t, const CallbackData& data) {
    IntegrationOutcome outcome;
    outcome.error = std::move(text) + " at t = " + FormatFull(t) + " s";
    if (!data.lastProblem.empty()) outcome.error += ": " + data.lastProblem;
    return outcome;
}

}  // namespace

IntegrationOutcome IntegrateIgnition(ConstantPressureReactor& reactor, ReactorJacobian& jacobian, const double* y0,
                                     const RunLimits& limits, const IntegratorSettings& settings,
                                     Trajectory& trajectory) {
    CallbackData data{&reactor, &jacobian, {}};
    trajectory.Clear();
    const int n = reactor.Size();
    const int iT = reactor.TemperatureIndex();
    std::vector<double> f(static_cast<size_t>(n));
    if (!reactor.Derivatives(y0, f.data())) {
        data.lastProblem = reactor.Error();
        return Failure("the initial state cannot be evaluated", 0.0, data);
    }
    trajectory.Append(0.0, y0, f[static_cast<size_t>(iT)]);

    EndWatch watch(limits, y0[iT]);
    CvodeSession session(jacobian);
    if (!session.Ok() || !session.Configure(y0, limits, settings, watch.Limit(), data)) {
        return Failure("the integrator cannot be set up", 0.0, data);
    }
    SteadyStateWatch steady(reactor.SpeciesCount());
    RunStop stop = RunStop::EndTime;
    double t = 0.0;
    long steps = 0;
    double stopTime = watch.Limit();
    while (!watch.Finished(t)) {
        if (++steps > settings.maxSteps) {
            if (!watch.Ignited()) {
                stop = RunStop::StepLimit;
                break;
            }
            if (watch.PastEnd(t, trajectory)) break;  // the case itself is complete
            return Failure("more than " + std::to_string(settings.maxSteps) + " integrator steps", t, data);
        }
        const int flag = CVode(session.Memory(), stopTime, session.State(), &t, CV_ONE_STEP);
        if (flag < 0) return Failure(std::string("integrator failure ") + CVodeGetReturnFlagName(flag), t, data);
        session.RelaxNewtonWhereItStalls();
        if (CVodeGetDky(session.Memory(), t, 1, session.Slope()) != CV_SUCCESS) {
            return Failure("no derivative from the integrator", t, data);
        }
        const double* y = N_VGetArrayPointer(session.State());
        const double slope = N_VGetArrayPointer(session.Slope())[iT];
        trajectory.Append(t, y, slope);
        if (watch.Observe(t, y[iT], slope, trajectory, stopTime) && stopTime > t) {
            CVodeSetStopTime(session.Memory(), stopTime);
        }
        if (!watch.Ignited() && !watch.Finished(t) && steady.Observe(t, y)) {
            stop = RunStop::Steady;
            break;
        }
    }

    IntegrationOutcome outcome;
    outcome.ok = true;
    outcome.ignited = watch.Ignited();
    outcome.ignition = SummariseIgnition(trajectory);
    outcome.stop = stop;
    if (stop == RunStop::Steady) outcome.steadySince = steady.SteadySince();
    outcome.endTime = stop == RunStop::EndTime ? watch.End(trajectory) : t;
    trajectory.EndAt(outcome.endTime);
    outcome.ignition.finalTemperature = trajectory.Temperature(trajectory.Steps() - 1);
    CVodeGetNumSteps(session.Memory(), &outcome.steps);
    IntegratorWork& w = outcome.work;
    CVodeGetNumRhsEvals(session.Memory(), &w.rightHandSides);
    CVodeGetNumJacEvals(session.Memory(), &w.jacobians);
    CVodeGetNumLinSolvSetups(session.Memory(), &w.matrixSetups);
    CVodeGetNumNonlinSolvIters(session.Memory(), &w.newtonIterations);
    CVodeGetNumNonlinSolvConvFails(session.Memory(), &w.newtonFailures);
    CVodeGetNumErrTestFails(session.Memory(), &w.errorTestFailures);
    return outcome;
}

}  // namespace vantor::senkin
