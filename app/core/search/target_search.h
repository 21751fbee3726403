#pragma once
// Reduction to a target error: the smallest mechanism whose ignition delays stay within a given
// relative difference of the detailed ones on every case.
//
// 1. The detailed mechanism is compiled and its ignition runs made once (Chem.bin, SAVE.dat).
// 2. Threshold search, on the threshold of the parameter grid t (0..1; fewer species as t falls).
//    Bisection on [0, 1]: the midpoint, rounded to the resolution, replaces the upper end when
//    its mechanism is within target and the lower end otherwise, until the ends lie one
//    resolution step apart. The upper end t = 1 is run only when no candidate below it is
//    within target (it keeps nearly every species; a set of every species is the detailed
//    mechanism itself and is not run); outside target there ends the search. The error need not
//    fall steadily with t, so the search then looks beyond the bracket: it steps t down from the
//    lower end until the engine gives a new, smaller species set, at most two such sets; one
//    within target becomes the new upper end and the bisection goes on below it. A candidate
//    whose species equal an earlier one's takes that one's result without runs. At most
//    `maxThresholdCandidates` candidates are run.
// 3. Species removal (optional): the kept species the engine needed least (removal_ranking.h)
//    are removed from the best mechanism in groups of the next species of the ranking; a removal
//    within target is kept and doubles the next group, one outside halves it. It stops after a
//    pass over the ranking without a kept removal, or after `maxRemovalTries` runs; a removal
//    that gives a species set tried before is skipped without a row.
// 4. The best mechanism becomes NEW_Chem.inp with SP.TRM, its reduced test (New_Chem.bin,
//    New_SAVE.dat) and CMP.dat, exactly as an integrated run and reduced test leave them, plus
//    the candidate table; the set is completed in the candidates' folder and moved into the work
//    folder as a whole (result_set.h). With no candidate within target nothing of these is
//    written but the table.
//
// With flame or stirred-reactor cases (the project's Flame= and PSR= lines) the target holds for
// the flame speeds and extinction times as well: the detailed mechanism's cases run once after its
// ignition runs, and a candidate's only once its ignition cases are all within target (flames are
// slow); it is within target only when every one of its differences is, and its "largest"
// is then the largest of them all. The result's CMP.dat holds its cases side by side.
//
// A candidate's runs go chunk by chunk and stop at the first chunk with a case outside target;
// the chunk holding the previous candidate's worst case goes first. A stop request ends the
// search after the current library call and keeps the best mechanism found so far.

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/pipeline/job_record_fill.h"
#include "app/core/pipeline/number_text.h"
#include "app/core/pipeline/run_settings.h"
#include "app/core/search/candidate_table.h"
#include "app/core/reactors/reactor_libraries.h"
#include "app/core/search/search_profile.h"
#include "common/entry_abi.h"

namespace vantor::search {

struct TargetSearchSettings {
    double targetPercent = 10.0;
    EngineMethod method = EngineMethod::Pfa;
    bool speciesRemoval = true;
    double resolution = 0.01;         // of the grid threshold
    int maxThresholdCandidates = 16;  // run candidates of the threshold search
    int maxRemovalTries = 100;
    int cores = 0;  // chunk size for the cases; 0: every core
    std::string launcher;  // the ignition runs through this command over MPI ranks; empty: SENKIN
};

// The integrator reproduces ignition delays to about 1e-3 %, and the candidates' differences are
// shown to four decimals of a percent: a smaller target asks for more than the delays hold and
// could not be read back from the candidate table.
inline constexpr double kSmallestTargetPercent = 1e-4;

// Checks a typed target: a finite number of at least kSmallestTargetPercent (percent), in the
// given number format. The message says why not.
std::optional<double> ParseTargetPercent(const std::string& text, std::string& message,
                                         const LocaleNumbers& numbers = CLocaleNumbers());

// The library entries the search calls: Tolmar, SENKIN and the engine of the method.
struct SearchEntries {
    EntryFunction tolmar = nullptr;
    EntryFunction senkin = nullptr;
    EntryFunction engine = nullptr;
    // For flame and stirred-reactor cases: Pellor and the bound reactor libraries.
    EntryFunction pellor = nullptr;
    const reactors::ReactorLibraries* reactorLibraries = nullptr;
};

// Everything the search reads, copied before it starts (it may run on a worker thread).
struct TargetSearchInput {
    SettingsInput settings;  // grid cells, mixture lines and species names (marks are ignored)
    RunFiles files;
    MechanismModel model;  // the opened detailed mechanism
    std::vector<ReactorCaseLine> reactorCases;  // the project's flame and stirred-reactor lines
    LocaleNumbers numbers = CLocaleNumbers();
};

// The input of an opened project: its grid, mixtures and mechanism, its folder as work directory.
TargetSearchInput InputFromProject(const MechanismModel& model, const ProjectOpenResult& opened,
                                   const std::string& systemDirectory);

// Where the search reports; called on the search's thread.
class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    virtual void AddLine(const std::string& line) = 0;  // memo lines, "> " or "<E> "
    virtual void Progress(double /*fraction*/, const std::string& /*status*/) {}
    virtual void CandidateDone(const CandidateRow& /*row*/) {}
};

enum class SearchCode { Found, NoneWithinTarget, Failed };

struct TargetSearchResult {
    SearchCode code = SearchCode::Failed;
    bool stopped = false;
    std::vector<CandidateRow> rows;
    int chosen = 0;                               // row number of the result, 0 when none
    std::optional<ReducedWriterOutcome> outcome;  // for ApplyReducedOutcome when Found
    std::string tablePath;
    double wallSeconds = 0.0;
    int casesPerMixture = 0;
    SearchProfile profile;  // where the time went
};

class TargetSearch {
public:
    TargetSearch(SearchEntries entries, TargetSearchSettings settings) : entries_(entries), settings_(settings) {}

    TargetSearchResult Run(const TargetSearchInput& input, SearchObserver& observer);

    // From any thread: the search ends after the current library call, keeping its best.
    void RequestStop() { stop_.store(true); }
    bool StopRequested() const { return stop_.load(); }

private:
    SearchEntries entries_;
    TargetSearchSettings settings_;
    std::atomic<bool> stop_{false};
};

}  // namespace vantor::search
