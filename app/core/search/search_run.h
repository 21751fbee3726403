#pragma once
// One run of the target search (target_search.h): its state and steps, split over
// search_run.cpp (the detailed runs, one candidate), search_phases.cpp (threshold search and
// species removal) and search_result.cpp (the result files).

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/core/pipeline/message_sink.h"
#include "app/core/pipeline/reactor_comparison.h"
#include "app/core/pipeline/result_set.h"
#include "app/core/search/candidate_ignition.h"
#include "app/core/search/candidate_mechanism.h"
#include "app/core/search/search_profile.h"
#include "app/core/search/target_search.h"

namespace vantor::search {

// The search's lines as a message sink, for the pipeline's functions that report through one.
class ObserverSink : public MessageSink {
public:
    explicit ObserverSink(SearchObserver& observer) : observer_(observer) {}
    void AddLine(const std::string& line) override { observer_.AddLine(line); }

private:
    SearchObserver& observer_;
};

// What a run candidate leaves for later: its species and the threshold they came from.
struct CandidateRecord {
    KeepMarks marks;
    double threshold = 0.0;
};

class SearchRun {
public:
    SearchRun(const SearchEntries& entries, const TargetSearchSettings& settings, const TargetSearchInput& input,
              SearchObserver& observer, const TargetSearch& owner);

    TargetSearchResult Execute();

private:
    // search_run.cpp
    bool Prepare();
    bool RunDetailed();
    // The engine's species at grid threshold `t` (its listing at `listingPath`); false on failure.
    bool EngineMarks(double t, KeepMarks& marks, const std::string& listingPath);
    // Runs (or matches) a candidate; its row is added. False only on a library failure or stop.
    bool Evaluate(const KeepMarks& marks, double t, const std::string& removed, CandidateRow& row);
    // The reduced mechanism of `marks` with the header of grid threshold `t`.
    ReducedWriterOutcome CandidateMechanism(const KeepMarks& marks, double t) const;
    // Compiles the candidate's mechanism and runs its chunks.
    IgnitionOutcome RunCandidate(const JobRecord& job, const std::vector<CaseChunk>& chunks,
                                 const ChunkCheck& keepGoing);
    std::optional<int> SameAs(const KeepMarks& marks) const;
    JobRecord CandidateJob(const KeepMarks& marks) const;
    void Report(const CandidateRow& row);
    // `listing` is named in the message; the reason line is read from `listingPath` when given.
    void Fail(const std::string& error, int32_t status, const std::string& listing,
              const std::string& listingPath = "");
    bool Stopped() const;
    double Elapsed() const;

    // candidate_reactors.cpp
    // The detailed mechanism's flame and stirred-reactor cases, in the work folder.
    bool RunDetailedReactors();
    // The cases of a candidate within target on its ignition cases; `row` becomes outside the
    // target when one of its differences is.
    void CheckCandidateReactors(const JobRecord& job, CandidateRow& row);
    // The cases of the mechanism binary `mechanismBinary`, their files in `folder` ("New_" names).
    bool RunReactorsIn(const JobRecord& job, const std::string& mechanismBinary, const std::string& transportData,
                       const std::string& folder);

    // search_phases.cpp
    bool ThresholdSearch();
    bool TryThreshold(double t, bool& within);
    bool TryMarks(const KeepMarks& marks, double t, bool& within);
    bool SpeciesRemoval();
    // A removal row's value: the first species' name, "+N" for the N others of a group.
    std::string RemovedLabel(const std::vector<int32_t>& members) const;
    std::string RemovedNames(const std::vector<int32_t>& members) const;
    void SetProgress(double fraction, const std::string& status);

    // search_result.cpp
    bool WriteResult();
    void WriteTable();
    void KeepInHistory(const std::vector<StagedFile>& set, const std::optional<double>& largest);
    std::vector<std::string> ResultHeader() const;

    const SearchEntries& entries_;
    const TargetSearchSettings& settings_;
    const TargetSearchInput& input_;
    SearchObserver& observer_;
    const TargetSearch& owner_;
    CandidateIgnition ignition_;
    SearchProfile profile_;
    std::chrono::steady_clock::time_point started_;

    TWState detailedSettings_;
    JobRecord detailedJob_{};
    JobPaths detailedPaths_;
    std::vector<IgnitionCase> reference_;
    std::vector<std::pair<ReactorKind, std::vector<ReactorCaseValue>>> reactorReference_;
    KeepMarks fixed_;     // the mixtures' and the always-kept species: never removed
    std::string folder_;  // the candidates' files
    ReducedHeaderSettings header_;
    int lastWorstCase_ = 0;
    int runCandidates_ = 0;
    int removalTries_ = 0;

    std::vector<CandidateRow> rows_;
    std::vector<std::optional<CandidateRecord>> records_;  // per row; empty for rows not run
    int best_ = 0;                                         // row number, 0 when none within target
    bool failed_ = false;
    std::optional<ReducedWriterOutcome> result_;
    std::string tablePath_;
};

}  // namespace vantor::search
