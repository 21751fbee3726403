#include "app/core/search/target_search.h"

#include <cmath>
#include <cstdio>

#include "app/core/pipeline/always_kept.h"
#include "app/core/pipeline/message_sink.h"
#include "app/core/search/search_run.h"

namespace vantor::search {

std::optional<double> ParseTargetPercent(const std::string& text, std::string& message, const LocaleNumbers& numbers) {
    const auto value = numbers.parse(text);
    if (!value) {
        message = "The target error '" + text + "' is not a number.";
        return std::nullopt;
    }
    if (!(*value > 0.0)) {
        message = "The target error must be above 0 %, not " + text + ".";
        return std::nullopt;
    }
    if (*value < kSmallestTargetPercent) {
        char smallest[32];
        std::snprintf(smallest, sizeof smallest, "%g", kSmallestTargetPercent);
        message = "The target error must be at least " + std::string(smallest) + " %, not " + text + ".";
        return std::nullopt;
    }
    return value;
}

TargetSearchInput InputFromProject(const MechanismModel& model, const ProjectOpenResult& opened,
                                   const std::string& systemDirectory) {
    TargetSearchInput input;
    for (int row = 1; row <= kProjectGridRows; ++row) {
        input.settings.grid[row][kUnitColumn] = opened.project.data.grid[row - 1].unit;
        input.settings.grid[row][kValueColumn] = opened.project.data.grid[row - 1].value;
    }
    input.settings.mixtureLines = opened.project.data.mixtureLines;
    input.settings.alwaysKept = SplitSpeciesNames(opened.project.data.alwaysKept);
    input.settings.speciesNames = model.SpeciesNames();
    input.settings.targetSpecies = opened.project.data.targetSpecies;
    input.files = RunFiles{systemDirectory, opened.workDirectory, model.MechanismPath, model.MechanismBinaryPath,
                           model.ThermoPath, model.TransportPath};
    input.model = model;
    input.reactorCases = opened.project.data.reactorCases;
    return input;
}

TargetSearchResult TargetSearch::Run(const TargetSearchInput& input, SearchObserver& observer) {
    SearchRun run(entries_, settings_, input, observer, *this);
    return run.Execute();
}

TargetSearchResult SearchRun::Execute() {
    TargetSearchResult result;
    char line[160];
    std::snprintf(line, sizeof line, "> Reduction to a target error of %.2f %% (%s%s) start ......",
                  settings_.targetPercent, MethodName(settings_.method),
                  settings_.speciesRemoval ? ", with species removal" : "");
    observer_.AddLine(line);
    if (!settings_.launcher.empty()) observer_.AddLine("> Ignition runs through: " + settings_.launcher);
    if (!Prepare() || !RunDetailed()) {
        result.wallSeconds = Elapsed();
        return result;
    }
    const bool searched = ThresholdSearch() && SpeciesRemoval();
    result.stopped = Stopped();
    if (result.stopped) observer_.AddLine("> The search was stopped: the best mechanism found so far is kept.");
    SetProgress(0.9, "Writing the result");
    if (!searched && failed_) {
        result.code = SearchCode::Failed;
    } else if (best_ == 0 && result.stopped) {
        result.code = SearchCode::NoneWithinTarget;
        observer_.AddLine("> No candidate was within the target before the stop: nothing is written.");
    } else if (best_ == 0) {
        result.code = SearchCode::NoneWithinTarget;
        std::snprintf(line, sizeof line,
                      "<E> No candidate is within the target of %.2f %%: the reduced mechanism is left as it was.",
                      settings_.targetPercent);
        ObserverSink sink(observer_);
        ReportError(sink, line);
    } else {
        result.code = WriteResult() ? SearchCode::Found : SearchCode::Failed;
        if (result.code == SearchCode::Found) result.outcome = result_;
    }
    // A found result holds its table in its set; after a failure the earlier set stays whole.
    if (result.code == SearchCode::NoneWithinTarget) WriteTable();
    result.rows = rows_;
    result.chosen = best_;
    result.tablePath = tablePath_;
    result.wallSeconds = Elapsed();
    result.casesPerMixture = detailedSettings_.n_Ps * detailedSettings_.n_Ts;
    result.profile = profile_;
    observer_.AddLine(profile_.Line());
    SetProgress(1.0, "Done");
    std::snprintf(line, sizeof line, "> Reduction to a target error %s: %d candidates in %.1f s",
                  result.stopped ? "stopped" : "completed", static_cast<int>(rows_.size()), result.wallSeconds);
    observer_.AddLine(line);
    return result;
}

}  // namespace vantor::search
