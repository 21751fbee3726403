// The target search's flame and stirred-reactor cases: the detailed mechanism's once, a
// candidate's after its ignition cases, and the chosen mechanism's for the result.

#include <algorithm>
#include <cstdio>

#include "app/core/reactors/reactor_results.h"
#include "app/core/reactors/reactor_runs.h"
#include "app/core/search/search_run.h"
#include "common/fixed_names.h"

namespace vantor::search {

bool SearchRun::RunDetailedReactors() {
    const std::vector<ReactorCaseLine>& cases = input_.reactorCases;
    reactorReference_.clear();
    if (cases.empty()) return true;
    ObserverSink sink(observer_);
    if (!entries_.pellor || !entries_.reactorLibraries) {
        ReportError(sink, "<E> The flame and stirred-reactor libraries are not loaded: the search cannot run.");
        return false;
    }
    observer_.AddLine("> Detailed mechanism: flame and stirred-reactor cases start ......");
    if (!reactors::RunProjectReactorCases(false, detailedSettings_, input_.files, input_.settings.mixtureLines, cases,
                                          entries_.pellor, *entries_.reactorLibraries, sink)) {
        failed_ = true;
        return false;
    }
    for (const ReactorCaseLine& line : cases) {
        std::vector<ReactorCaseValue> values;
        std::string error;
        if (!reactors::ReadReactorValues(reactors::ReactorDataFile(input_.files.workDirectory, line.kind, false),
                                         line.kind, values, error)) {
            Fail(error, 0, "");
            return false;
        }
        reactorReference_.emplace_back(line.kind, std::move(values));
    }
    return true;
}

bool SearchRun::RunReactorsIn(const JobRecord& job, const std::string& mechanismBinary,
                              const std::string& transportData, const std::string& folder) {
    ObserverSink sink(observer_);
    reactors::ReactorRun run;
    run.reduced = true;
    run.job = job;
    run.paths = detailedPaths_;
    run.paths.mechBinFile = mechanismBinary;
    run.workDirectory = folder;
    run.transportData = transportData;
    std::string error;
    if (input_.settings.mixtureLines.empty() ||
        !reactors::ReadMixtureAmounts(input_.settings.mixtureLines.front(), run.mixture, error)) {
        ReportError(sink, "<E> The flame and stirred-reactor cases need the project's first mixture: " + error);
        return false;
    }
    run.cases = input_.reactorCases;
    run.pellor = entries_.pellor;
    run.libraries = entries_.reactorLibraries;
    return reactors::RunReactorCases(run, sink);
}

void SearchRun::CheckCandidateReactors(const JobRecord& job, CandidateRow& row) {
    if (reactorReference_.empty() || row.result != CandidateResult::Within) return;
    const auto outside = [&](const std::string& why) {
        row.result = CandidateResult::Outside;
        row.largest.reset();
        observer_.AddLine("> Candidate " + std::to_string(row.number) + ": " + why + ": outside the target.");
    };
    // Pellor takes the candidate's species from the detailed transport data.
    if (!RunReactorsIn(job, JoinPath(folder_, "Chem.bin"), detailedPaths_.tranDatFile, folder_))
        return outside("its flame or stirred-reactor cases did not run");
    for (const auto& [kind, reference] : reactorReference_) {
        std::vector<ReactorCaseValue> values;
        std::string error;
        if (!reactors::ReadReactorValues(reactors::ReactorDataFile(folder_, kind, true), kind, values, error))
            return outside(error);
        int failedCase = 0;
        const auto largest = LargestReactorDifference(reference, values, failedCase);
        const char* what = kind == ReactorKind::kFlame ? "flame" : "stirred reactor";
        if (failedCase > 0) return outside(std::string(what) + " " + std::to_string(failedCase) + " gives no value");
        if (!largest) continue;
        char text[160];
        std::snprintf(text, sizeof text, "> Candidate %d: largest %s difference %.2f %%", row.number,
                      kind == ReactorKind::kFlame ? "flame-speed" : "extinction-time", *largest);
        observer_.AddLine(text);
        if (*largest > settings_.targetPercent) {
            row.result = CandidateResult::Outside;
            row.largest = std::max(row.largest.value_or(0.0), *largest);
            return;
        }
        row.largest = std::max(row.largest.value_or(0.0), *largest);
    }
}

}  // namespace vantor::search
