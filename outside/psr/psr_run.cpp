#include "outside/psr/psr_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <thread>

#include "chemlib/mechanism_layout.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/fixed_format.h"
#include "common/path_field.h"
#include "outside/mixture/equivalence_ratio.h"
#include "outside/senkin/case_plan.h"

namespace vantor::psr {
namespace {

std::string ListingCase(const PsrCaseResult& c) {
    const auto& s = c.summary;
    std::ostringstream out;
    out << "Case " << s.number << ": P = " << FormatFull(s.pressureAtm) << " atm, Tin = " << FormatFull(s.temperature)
        << " K, phi = " << FormatFull(s.phi) << "\n";
    out << c.log;
    out << "  status " << s.status << " (" << s.message << "), tau_ext = " << FormatFull(s.extinctionTime)
        << " s, T_ext = " << FormatFull(s.extinctionTemperature) << " K, " << s.points << " branch points, "
        << c.newtonIterations << " Newton iterations, " << FormatFull(c.wallSeconds) << " s\n";
    return out.str();
}

PsrJobReport Fail(PsrJobReport report, int32_t status, const std::string& message, const PsrFiles& files) {
    report.status = status;
    report.message = message;
    if (!files.listing.empty()) WriteFileAtomically(files.listing, "PSR run listing\n\nError: " + message + "\n");
    return report;
}

// The ignition runs' planner also checks end times and points, which mean nothing here.
JobRecord WithTimesSet(JobRecord job) {
    job.EndTimeMode = 1;
    job.EndTime = 1.0;
    job.MaxTime = 1.0;
    job.NPoints = 1;
    return job;
}

}  // namespace

int32_t CaseStatus(StirredReactorOutcome outcome) {
    switch (outcome) {
        case StirredReactorOutcome::kExtinctionFound: return kPsrOk;
        case StirredReactorOutcome::kNoConvergence: return kPsrNoConvergence;
        case StirredReactorOutcome::kNotFlammable: return kPsrNotFlammable;
        case StirredReactorOutcome::kRateFailure: return kPsrRateFailure;
    }
    return kPsrNoConvergence;
}

PsrCaseResult RunStirredReactorCase(chem::Mechanism& mechanism, int number, double pressureAtm, double inletTemperature,
                                    const std::vector<double>& X,
                                    const std::function<void(const std::string&)>& progress) {
    const auto start = std::chrono::steady_clock::now();
    PsrCaseResult c;
    StirredReactorRequest request{pressureAtm * chem::kAtmosphere, inletTemperature, X, {}};
    request.progress = [&](const std::string& line) {
        c.log += "  " + line + "\n";
        if (progress) progress(line);
    };
    const StirredReactorResult r = SolveStirredReactor(mechanism, request);
    auto& s = c.summary;
    s.number = number;
    s.pressureAtm = pressureAtm;
    s.temperature = inletTemperature;
    s.phi = mixture::EquivalenceRatio(mechanism, X);
    s.status = CaseStatus(r.outcome);
    s.message = r.message;
    if (r.outcome == StirredReactorOutcome::kExtinctionFound) {
        s.extinctionTime = r.extinctionTime;
        s.extinctionTemperature = r.extinctionTemperature;
    }
    s.residenceTime = r.residenceTime;
    s.branchTemperature = r.temperature;
    s.points = static_cast<int>(r.residenceTime.size());
    c.newtonIterations = r.newtonIterations;
    c.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return c;
}

PsrJobReport RunStirredReactorJob(const JobRecord& job, const PsrFiles& files, int threads, double* progress) {
    PsrJobReport report;
    if (progress) StoreProgress(progress, 0.0);
    if (std::string error; !files.listing.empty() && !CheckWritable(files.listing, &error)) {
        report.status = kPsrListingNotWritable;
        report.message = "the run listing cannot be written: " + error;
        return report;
    }
    if (!std::filesystem::exists(files.mechanismBinary)) {
        return Fail(std::move(report), kPsrMechanismMissing, "FILE " + files.mechanismBinary + " not found.", files);
    }
    chem::Mechanism mechanism;
    std::ostringstream loadMessages;
    if (const int32_t loaded = mechanism.Load(files.mechanismBinary, loadMessages); loaded != 0) {
        return Fail(std::move(report), kPsrMechanismUnreadable,
                    "the mechanism binary " + files.mechanismBinary + " cannot be read (reader status " +
                        std::to_string(loaded) + "): " + loadMessages.str(),
                    files);
    }
    std::string planError;
    const auto plan = senkin::PlanCases(WithTimesSet(job), mechanism.KK(), planError);
    if (!plan) return Fail(std::move(report), kPsrBadJobRecord, "job record: " + planError, files);

    report.cases.resize(plan->cases.size());
    std::atomic<size_t> next{0};
    std::mutex doneMutex;
    size_t done = 0;
    std::string problem;
    const auto worker = [&] {
        try {
            chem::Mechanism own = mechanism;
            for (size_t i = next++; i < plan->cases.size(); i = next++) {
                const senkin::IgnitionCase& ic = plan->cases[i];
                const senkin::Mixture& mix = plan->mixtures[static_cast<size_t>(ic.mixture)];
                std::vector<double> X(static_cast<size_t>(mechanism.KK()), 0.0);
                for (size_t s = 0; s < mix.species.size(); ++s) {
                    X[static_cast<size_t>(mix.species[s] - 1)] = mix.moleFractions[s];
                }
                report.cases[i] = RunStirredReactorCase(own, ic.number, ic.pressureAtm, ic.temperature, X);
                const std::lock_guard<std::mutex> lock(doneMutex);
                ++done;
                if (progress) StoreProgress(progress, 100.0 * static_cast<double>(done) / plan->cases.size());
            }
        } catch (const std::exception& e) {  // out of memory: the job fails, never the process
            const std::lock_guard<std::mutex> lock(doneMutex);
            problem = std::string("a case failed unexpectedly: ") + e.what();
            next = plan->cases.size();
        }
    };
    const int count =
        std::max(1, std::min<int>(threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency()),
                                  static_cast<int>(plan->cases.size())));
    std::vector<std::thread> pool;
    for (int i = 1; i < count; ++i) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    if (!problem.empty()) return Fail(std::move(report), kPsrFailed, problem, files);

    std::string data = StirredReactorDataHeader();
    std::string listing = "PSR run listing\n\nMechanism " + files.mechanismBinary + ": " +
                          std::to_string(mechanism.KK()) + " species, " + std::to_string(mechanism.II()) +
                          " reactions; dense Newton on " + std::to_string(mechanism.KK() + 1) + " unknowns\n\n";
    int found = 0;
    for (const auto& c : report.cases) {
        data += StirredReactorCaseBlock(c.summary);
        listing += ListingCase(c);
        if (c.summary.status == kPsrOk) ++found;
    }
    if (!files.data.empty()) {
        if (std::string error; !WriteFileAtomically(files.data, data, &error)) {
            return Fail(std::move(report), kPsrDataNotWritable, "the data file cannot be written: " + error, files);
        }
        listing += "\nData written to " + files.data + "\n";
    }
    listing +=
        std::to_string(found) + " of " + std::to_string(report.cases.size()) + " cases found their extinction point.\n";
    if (!files.listing.empty()) {
        if (std::string error; !WriteFileAtomically(files.listing, listing, &error)) {
            report.status = kPsrListingNotWritable;
            report.message = "the run listing cannot be written: " + error;
        }
    }
    return report;
}

int32_t RunPsr(const JobRecord& jobRecord, int32_t* status, double* progress) {
    StoreStatus(status, 0);
    StoreProgress(progress, 0.0);
    const JobRecord job = jobRecord;  // the caller's record is only read at entry
    const PsrFiles files{DecodePathField(job.MechBinFile), DecodePathField(job.SaveFile), DecodePathField(job.OutFile)};
    if (files.listing.empty()) {
        StoreStatus(status, kPsrListingNotWritable);
        return 0;
    }
    if (files.data.empty()) {
        WriteFileAtomically(files.listing, "PSR run listing\n\nError: job record: SaveFile names no file\n");
        StoreStatus(status, kPsrBadJobRecord);
        return 0;
    }
    const PsrJobReport report = RunStirredReactorJob(job, files, 0, progress);
    StoreStatus(status, report.status);
    if (report.status != kPsrOk) return 0;
    StoreProgress(progress, kProgressFinished);
    return kPsrSuccessResult;
}

}  // namespace vantor::psr
