#include "outside/senkin/ignition_run.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

#include "chemlib/mechanism.h"
#include "chemlib/mechanism_layout.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/fixed_format.h"
#include "common/path_field.h"
#include "outside/senkin/ignition_listing.h"
#include "outside/senkin/record_points.h"
#include "outside/senkin/standard_data_writer.h"

namespace vantor::senkin {
namespace {

// Shared by the worker threads of one run.
class CaseQueue {
public:
    CaseQueue(size_t total, double* progress) : total_(total), progress_(progress) {}

    // The next case to run, or false when all are taken or a case has failed.
    bool Next(size_t& index) {
        if (failed_.load()) return false;
        index = next_.fetch_add(1);
        return index < total_;
    }
    void Abort() { failed_.store(true); }
    void Done(bool ok) {
        if (!ok) failed_.store(true);
        const std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        if (progress_) StoreProgress(progress_, 100.0 * static_cast<double>(done_) / static_cast<double>(total_));
    }

private:
    size_t total_;
    double* progress_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    size_t done_ = 0;
};

// The recorded states of a finished run, as data lines.
bool AppendRecordedStates(ConstantPressureReactor& reactor, const Trajectory& trajectory, int points,
                          std::string& out, std::string& error) {
    const auto n = static_cast<size_t>(reactor.Size());
    std::vector<double> y(n), f(n), X(n);
    for (const double t : RecordTimes(trajectory, points)) {
        trajectory.StateAt(t, y.data());
        StateProperties properties;
        if (!reactor.Derivatives(y.data(), f.data(), &properties)) {
            error = "a recorded state at t = " + FormatFull(t) + " s cannot be evaluated: " + reactor.Error();
            return false;
        }
        reactor.MoleFractions(y.data(), X.data());
        AppendDataLine(out, t, reactor.Pressure(), properties, y[static_cast<size_t>(reactor.TemperatureIndex())],
                       X.data(), reactor.SpeciesCount());
    }
    return true;
}

// The tail of the "! no ignition" comment of a run that ended before its end time.
std::string WhyStopped(RunStop stop) {
    switch (stop) {
        case RunStop::Steady: return ", where its state had become steady";
        case RunStop::StepLimit: return ", where the integrator's step limit stopped it";
        case RunStop::EndTime: break;
    }
    return "";
}

void RunCase(chem::Mechanism& mechanism, ReactorJacobian& jacobian, const RunPlan& plan,
             const std::vector<std::string>& names, const RunOptions& options, CaseResult& result) {
    const auto start = std::chrono::steady_clock::now();
    const IgnitionCase& c = result.ignitionCase;
    const Mixture& mixture = plan.mixtures[static_cast<size_t>(c.mixture)];
    ConstantPressureReactor reactor(mechanism, c.pressureAtm * chem::kAtmosphere);
    std::vector<double> X(static_cast<size_t>(reactor.SpeciesCount()), 0.0);
    for (size_t i = 0; i < mixture.species.size(); ++i) {
        X[static_cast<size_t>(mixture.species[i] - 1)] = mixture.moleFractions[i];
    }
    std::vector<double> y0(static_cast<size_t>(reactor.Size()));
    reactor.InitialState(X, c.temperature, y0.data());

    Trajectory trajectory(reactor.Size(), reactor.TemperatureIndex());
    const RunLimits limits{plan.endMode, plan.endTime, plan.maxTime, plan.firstStep};
    result.outcome = IntegrateIgnition(reactor, jacobian, y0.data(), limits, options.integrator, trajectory);
    std::string data = CaseHeader(c, mixture);
    if (result.outcome.ok &&
        !AppendRecordedStates(reactor, trajectory, plan.points, data, result.outcome.error)) {
        result.outcome.ok = false;
    }
    result.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!result.outcome.ok) {
        result.listing = ListingError(DescribeCase(c) + ": " + result.outcome.error);
        return;
    }
    const auto& o = result.outcome;
    data += o.ignited ? CaseFooter(o.ignition.delay, o.ignition.rise, 0.0)
                      : CaseFooter(o.endTime, o.ignition.rise, o.endTime, WhyStopped(o.stop));
    result.standardData = std::move(data);
    result.listing = ListingCase(c, mixture, names, o, result.wallSeconds, options.integrator.maxSteps);
    result.finished = true;
}

int ThreadCount(int requested, size_t cases) {
    int threads = requested > 0 ? requested : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(threads, 1);
    return static_cast<int>(std::min<size_t>(static_cast<size_t>(threads), cases));
}

// Runs every case; returns a failure that is no case's own (a thread that could not start), or "".
std::string RunAllCases(const chem::Mechanism& mechanism, RunReport& report, const RunOptions& options, int threads,
                        double* progress) {
    CaseQueue queue(report.cases.size(), progress);
    std::mutex problemMutex;
    std::string problem;
    const auto worker = [&] {
        try {
            chem::Mechanism own = mechanism;
            ReactorJacobian jacobian(own);
            size_t index = 0;
            while (queue.Next(index)) {
                CaseResult& result = report.cases[index];
                try {
                    RunCase(own, jacobian, report.plan, report.speciesNames, options, result);
                } catch (const std::exception& e) {  // out of memory: fail the case, never the process
                    result.finished = false;
                    result.listing = ListingError(DescribeCase(result.ignitionCase) + ": " + e.what());
                }
                queue.Done(result.finished);
            }
        } catch (const std::exception& e) {
            queue.Abort();
            const std::lock_guard<std::mutex> lock(problemMutex);
            problem = std::string("a worker thread cannot start: ") + e.what();
        }
    };
    std::vector<std::thread> pool;
    for (int i = 1; i < threads; ++i) {
        try {
            pool.emplace_back(worker);
        } catch (const std::system_error&) {  // no more threads: the ones there take every case
            break;
        }
    }
    worker();
    for (auto& t : pool) t.join();
    return problem;
}

// The listing so far; false (and the report failed) when it cannot be written.
bool WriteListing(const IgnitionFiles& files, const std::string& text, RunReport& report) {
    if (files.listing.empty()) return true;
    std::string error;
    if (WriteFileAtomically(files.listing, text, &error)) return true;
    report.status = kSenkinListingNotWritable;
    report.message = "the run listing cannot be written: " + error;
    return false;
}

RunReport Fail(RunReport report, int32_t status, const std::string& message, std::string& listing,
               const IgnitionFiles& files) {
    report.status = status;
    report.message = message;
    listing += ListingError(message);
    WriteListing(files, listing, report);
    return report;
}

}  // namespace

RunReport RunIgnitionJob(const JobRecord& job, const IgnitionFiles& files, const RunOptions& options,
                         double* progress) {
    RunReport report;
    if (progress) StoreProgress(progress, 0.0);
    std::string listing = ListingTitle();
    if (!WriteListing(files, listing, report)) return report;

    if (!std::filesystem::exists(files.mechanismBinary)) {
        return Fail(std::move(report), kSenkinMechanismMissing, "FILE " + files.mechanismBinary + " not found.",
                    listing, files);
    }
    chem::Mechanism mechanism;
    std::ostringstream loadMessages;
    if (const int32_t loaded = mechanism.Load(files.mechanismBinary, loadMessages); loaded != 0) {
        return Fail(std::move(report), kSenkinMechanismUnreadable,
                    "the mechanism binary " + files.mechanismBinary + " cannot be read (reader status " +
                        std::to_string(loaded) + "): " + loadMessages.str(),
                    listing, files);
    }
    std::string planError;
    auto plan = PlanCases(job, mechanism.KK(), planError);
    if (!plan) return Fail(std::move(report), kSenkinBadJobRecord, "job record: " + planError, listing, files);
    report.plan = std::move(*plan);
    for (int32_t k = 1; k <= mechanism.KK(); ++k) report.speciesNames.push_back(mechanism.SpeciesName(k));
    for (const auto& c : report.plan.cases) report.cases.push_back(CaseResult{c, false, {}, 0.0, {}, {}});

    const int threads = ThreadCount(options.threads, report.cases.size());
    listing += ListingRunDescription({files.mechanismBinary, mechanism.KK(), mechanism.II(), threads,
                                      options.integrator},
                                     report.plan);
    const std::string threadProblem = RunAllCases(mechanism, report, options, threads, progress);

    std::string data = StandardDataHeader(files.mechanismName,
                                          {static_cast<int>(report.cases.size()), mechanism.KK(), mechanism.II(),
                                           mechanism.IntWorkLength(), mechanism.RealWorkLength(),
                                           mechanism.NameWorkLength()});
    const CaseResult* failed = nullptr;
    for (const auto& c : report.cases) {
        listing += c.listing;
        data += c.standardData;
        if (!c.finished && !failed && !c.listing.empty()) failed = &c;
    }
    data += StandardDataEnd();
    if (!threadProblem.empty()) return Fail(std::move(report), kSenkinCaseFailed, threadProblem, listing, files);
    if (failed) {
        return Fail(std::move(report), kSenkinCaseFailed,
                    DescribeCase(failed->ignitionCase) + " failed; no standard data written", listing, files);
    }
    if (!files.standardData.empty()) {
        std::string error;
        if (!WriteFileAtomically(files.standardData, data, &error)) {
            return Fail(std::move(report), kSenkinStandardDataNotWritable,
                        "the standard data cannot be written: " + error, listing, files);
        }
        listing += ListingLine("") + ListingLine("Standard data written to " + files.standardData);
    }
    listing += ListingLine("All " + std::to_string(report.cases.size()) + " cases done.");
    WriteListing(files, listing, report);
    return report;
}

int32_t RunSenkin(const JobRecord& jobRecord, int32_t* status, double* progress) {
    StoreStatus(status, 0);
    StoreProgress(progress, 0.0);
    const JobRecord job = jobRecord;  // the caller's record is only read at entry
    IgnitionFiles files;
    files.mechanismBinary = DecodePathField(job.MechBinFile);
    files.standardData = DecodePathField(job.SaveFile);
    files.listing = DecodePathField(job.OutFile);
    const std::string input = DecodePathField(job.InpFile);
    files.mechanismName = std::filesystem::path(input.empty() ? files.mechanismBinary : input).filename().string();
    if (files.listing.empty()) {
        StoreStatus(status, kSenkinListingNotWritable);
        return 0;
    }
    if (files.standardData.empty()) {
        RunReport report;
        WriteListing(files, ListingTitle() + ListingError("job record: SaveFile names no file"), report);
        StoreStatus(status, kSenkinBadJobRecord);
        return 0;
    }
    const RunReport report = RunIgnitionJob(job, files, RunOptions{}, progress);
    StoreStatus(status, report.status);
    if (report.status != kSenkinOk) return 0;
    StoreProgress(progress, kProgressFinished);
    return kSenkinSuccessResult;
}

}  // namespace vantor::senkin
