// The run history of the task runner's commands: an integrated run that wrote a reduced
// mechanism keeps it with its standard data; a reduced test keeps the tested mechanism with both
// standard data and their largest delay difference, and the comparison made after it joins the
// test's folder. A history that cannot be kept is reported; the run stays successful.

#include <chrono>
#include <filesystem>

#include "app/core/history/run_history.h"
#include "app/core/mechanism/reduced_data_files.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/pipeline/always_kept.h"
#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/ignition_summary.h"
#include "app/core/pipeline/result_set.h"
#include "app/core/pipeline/task_runner.h"
#include "common/local_timestamp.h"

namespace vantor {

namespace {

// NEW_Chem.inp and whatever else the writer put beside it under that stem (NEW_Chem.yaml, ...),
// and the reduced data files.
std::vector<std::string> ReducedMechanismFiles(const std::string& work) {
    namespace fs = std::filesystem;
    std::vector<std::string> files{JoinPath(work, kReducedMechanismFileName)};
    const std::string stem = fs::path(kReducedMechanismFileName).stem().string() + ".";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(work, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(stem, 0) == 0 && name != kReducedMechanismFileName) files.push_back(entry.path().string());
    }
    for (const char* name : {kReducedThermoFileName, kReducedTransportFileName}) files.push_back(JoinPath(work, name));
    return files;
}

}  // namespace

void TaskRunner::KeepRunHistory() {
    const HistoryKind kind = historyKind_;
    historyKind_ = HistoryKind::kNone;
    if (kind == HistoryKind::kNone || halted_ || runFailed_) return;
    const std::string work = host_.CurrentFiles().workDirectory;
    const SettingsInput input = host_.ReadSettingsInput();
    const ReducedCounts counts = host_.CurrentReducedCounts();
    history::RunSummary summary;
    const auto now = std::chrono::system_clock::now();
    summary.when = FormatLocalTimestamp(now);
    summary.method = MethodName(method_);
    summary.threshold = input.grid[kRowThreshold][kValueColumn];
    summary.keptSpecies = counts.keptSpecies;
    summary.detailedSpecies = counts.detailedSpecies;
    summary.keptReactions = counts.keptReactions;
    summary.detailedReactions = counts.detailedReactions;
    summary.alwaysKept = JoinSpeciesNames(input.alwaysKept);

    std::vector<std::string> files = ReducedMechanismFiles(work);
    files.push_back(JoinPath(work, "SP.TRM"));
    files.push_back(JoinPath(work, "SAVE.dat"));
    std::string label = summary.method + "_" + summary.threshold;
    if (kind == HistoryKind::kIntegratedRun) {
        summary.kind = "integrated run";
    } else {
        summary.kind = "reduced test";
        label += "_test";
        files.push_back(JoinPath(work, "New_SAVE.dat"));
        std::vector<std::string> detailedLines, reducedLines;
        if (ReadTextLines(JoinPath(work, "SAVE.dat"), detailedLines) &&
            ReadTextLines(JoinPath(work, "New_SAVE.dat"), reducedLines)) {
            const auto detailed = ReadCaseResults(detailedLines), reduced = ReadCaseResults(reducedLines);
            summary.largestPercent = LargestDelayDifference(detailed, reduced);
            if (!IgnitionMismatches(detailed, reduced).empty()) {
                summary.largestPercent.reset();
                summary.comparisonNote = "a case ignites in one mechanism only";
            }
        }
    }
    const history::KeptRun kept = history::KeepRun(work, label, files, summary, now);
    for (const std::string& notice : kept.notices) sink_.AddLine("> " + notice);
    if (kept.ok) sink_.AddLine(history::KeptRunLine(kept));
    else ReportError(sink_, history::KeptRunLine(kept));
    lastHistoryFolder_ = kept.ok ? kept.folder : std::string();
    lastFolderIsTest_ = kept.ok && kind == HistoryKind::kReducedTest;
}

void TaskRunner::KeepComparison() {
    if (!lastFolderIsTest_) return;
    const std::string work = host_.CurrentFiles().workDirectory;
    std::string error;
    std::vector<std::string> notices;
    if (!history::AddToRun(lastHistoryFolder_, {JoinPath(work, kComparisonFileName), JoinPath(work, kComparisonTableFileName)},
                           error, &notices)) {
        ReportError(sink_, "<E> The comparison could not be kept in " + lastHistoryFolder_ + ": " + error);
        return;
    }
    for (const std::string& notice : notices) sink_.AddLine("> " + notice);
    sink_.AddLine("> Comparison kept in " + lastHistoryFolder_);
    lastFolderIsTest_ = false;  // a later comparison of the same test would find its files kept
}

}  // namespace vantor
