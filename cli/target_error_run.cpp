#include "cli/target_error_run.h"

#include <cstdio>
#include <iostream>

#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/error_table.h"
#include "app/core/pipeline/ignition_summary.h"
#include "app/core/reactors/reactor_results.h"
#include "app/core/search/target_search.h"

namespace vantor::cli {

namespace {

class PrintingObserver : public search::SearchObserver {
public:
    void AddLine(const std::string& line) override { std::cout << line << '\n' << std::flush; }
};

void PrintComparison(const std::string& workDirectory, int casesPerMixture, const std::vector<ReactorCaseLine>& cases) {
    std::vector<std::string> detailedLines, reducedLines;
    ReadTextLines(JoinPath(workDirectory, "SAVE.dat"), detailedLines);
    ReadTextLines(JoinPath(workDirectory, "New_SAVE.dat"), reducedLines);
    std::cout << '\n';
    for (const std::string& line :
         FormatComparisonTable(ReadCaseResults(detailedLines), ReadCaseResults(reducedLines), casesPerMixture))
        std::cout << line << '\n';
    const reactors::ReactorComparison reactorCases = reactors::CompareReactorCases(workDirectory, cases);
    if (!reactorCases.ok) std::cout << reactorCases.error << '\n';
    for (const std::string& line : reactorCases.tableLines) std::cout << line << '\n';
}

}  // namespace

int RunTargetError(const TargetErrorRequest& request, const MechanismModel& model, const ProjectOpenResult& opened,
                   const EntryTable& entries, const std::string& systemDirectory) {
    search::TargetSearchSettings settings;
    settings.targetPercent = request.targetPercent;
    settings.method = request.method;
    settings.speciesRemoval = request.speciesRemoval;
    settings.launcher = request.launcher;
    const search::SearchEntries calls{entries.Entry(LibraryId::Tolmar), entries.Entry(LibraryId::Senkin),
                                      entries.Entry(EngineLibrary(request.method)), entries.Entry(LibraryId::Pellor),
                                      request.reactorLibraries};
    search::TargetSearch searcher(calls, settings);
    PrintingObserver observer;
    std::cout << "\n== Reduction to a target error\n";
    const search::TargetSearchResult result =
        searcher.Run(search::InputFromProject(model, opened, systemDirectory), observer);

    if (!result.rows.empty()) {
        std::cout << "\nCandidates";
        if (!result.tablePath.empty()) std::cout << " (" << result.tablePath << ")";
        std::cout << ":\n";
        for (const std::string& line : search::FormatCandidateTable(result.rows)) std::cout << line << '\n';
    }
    if (result.code != search::SearchCode::Found || !result.outcome) return 1;
    const search::CandidateRow& chosen = result.rows[static_cast<size_t>(result.chosen - 1)];
    PrintComparison(opened.workDirectory, result.casesPerMixture, opened.project.data.reactorCases);
    if (std::string error;
        !WriteErrorTable(opened.workDirectory, opened.project.data.mixtureLines, result.casesPerMixture, &error)) {
        std::cout << "<E> The error table could not be written: " << error << '\n';
        return 1;
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "\nChosen: candidate %d, species kept: %d of %d; reactions kept: %d of %d; largest %s"
                  "difference: %s %% (case %d)\nReduced mechanism: %s\nWall time: %.1f s\n",
                  chosen.number, chosen.species, model.DetailedSpeciesCount, chosen.reactions,
                  model.DetailedReactionCount, opened.project.data.reactorCases.empty() ? "ignition-delay " : "",
                  search::FormatDifference(chosen.largest, 2).c_str(), chosen.worstCase,
                  result.outcome->outputPath.c_str(), result.wallSeconds);
    std::cout << text;
    return 0;
}

}  // namespace vantor::cli
