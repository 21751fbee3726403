#pragma once
// A whole ignition job: loads the mechanism binary, checks the cases of the job record, runs them
// in parallel (each thread with its own copy of the mechanism) and writes the standard data in
// case order, identical whatever the number of threads, and the run listing. Both files are
// written atomically: a failed run leaves an earlier standard-data file as it was.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "common/job_record.h"
#include "outside/senkin/case_plan.h"
#include "outside/senkin/ignition_integrator.h"

namespace vantor::senkin {

// Status codes of a run (0 is success); the listing says more.
enum SenkinStatus : int32_t {
    kSenkinOk = 0,
    kSenkinListingNotWritable = 4101,
    kSenkinMechanismMissing = 4102,
    kSenkinMechanismUnreadable = 4103,
    kSenkinBadJobRecord = 4104,
    kSenkinCaseFailed = 4105,
    kSenkinStandardDataNotWritable = 4106,
};

inline constexpr int32_t kSenkinSuccessResult = 10108;

struct IgnitionFiles {
    std::string mechanismBinary;
    std::string standardData;   // empty: not written
    std::string listing;        // empty: not written
    std::string mechanismName;  // named in the standard data's header
};

struct RunOptions {
    int threads = 0;  // 0: every core
    IntegratorSettings integrator;
};

struct CaseResult {
    IgnitionCase ignitionCase;
    bool finished = false;  // ran to its end (false: failed or not started)
    IntegrationOutcome outcome;
    double wallSeconds = 0.0;
    std::string standardData;  // the case's block of the standard data
    std::string listing;       // the case's block of the listing
};

struct RunReport {
    int32_t status = kSenkinOk;
    std::string message;  // the failure, as written to the listing
    RunPlan plan;
    std::vector<std::string> speciesNames;
    std::vector<CaseResult> cases;  // in case order
};

// Runs the cases of `job` (its counts, values and mixtures; its paths are not read). `progress`
// (may be null) rises to 100 in percent of the cases done.
RunReport RunIgnitionJob(const JobRecord& job, const IgnitionFiles& files, const RunOptions& options,
                         double* progress);

// The same run in its three parts, for a run whose cases are spread over several processes:
// each prepares the whole job, runs its share of the cases, and one of them, holding every
// case's result, finishes it.
struct PreparedJob {
    RunReport report;     // status above 0 (listing written) when the job cannot run
    std::string listing;  // so far
    chem::Mechanism mechanism;
    IgnitionFiles files;
};
// Begins the listing, loads the mechanism and plans the cases (none run).
PreparedJob PrepareIgnitionJob(const JobRecord& job, const IgnitionFiles& files);
// The worker threads for `cases` cases.
int IgnitionThreads(const RunOptions& options, size_t cases);
// Adds what is run and how to the listing.
void DescribeRun(PreparedJob& prepared, const RunOptions& options, int threads);
// Called on a worker thread once a case's result is complete; the result is not touched after.
using CaseDone = std::function<void(size_t index)>;
// Runs the cases of `indices` (0-based, every case when empty) into report.cases; `progress`
// rises to 100 in percent of these cases. Returns a failure that is no case's own, or "".
std::string RunIgnitionCases(PreparedJob& prepared, const std::vector<size_t>& indices, const RunOptions& options,
                             double* progress, const CaseDone& caseDone = {});
// Assembles the standard data and the listing of every case in case order and writes both;
// `problem` (from RunIgnitionCases) fails the run.
RunReport FinishIgnitionJob(PreparedJob&& prepared, const std::string& problem);

// The files of the entry SENKIN: the job record's paths.
IgnitionFiles JobRecordFiles(const JobRecord& job);
// A job record without a listing or a standard-data path is refused with its status (0: fine).
int32_t CheckJobRecordFiles(const IgnitionFiles& files);

// The body of the entry SENKIN: files from the job record's paths, every core. Returns 10108 and
// leaves 9999.0 in the progress on success; otherwise 0 with the status above 0.
int32_t RunSenkin(const JobRecord& job, int32_t* status, double* progress);

}  // namespace vantor::senkin
