// The target search's result: NEW_Chem.inp with its header lines, SP.TRM, the reduced test and
// the comparison report of the best candidate and the candidate table, put in place as one set.

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/core/history/run_history.h"
#include "app/core/mechanism/reduced_data_files.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/pipeline/always_kept.h"
#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/message_sink.h"
#include "app/core/pipeline/result_set.h"
#include "app/core/reactors/reactor_results.h"
#include "app/core/reactors/reactor_runs.h"
#include "app/core/search/search_run.h"
#include "app/core/yaml/mechanism_conversion.h"
#include "common/atomic_file.h"
#include "common/local_timestamp.h"
#include "common/path_field.h"

namespace vantor::search {

namespace {

// The header line before which the search's lines go: the rule that closes the writer's header.
constexpr size_t kHeaderRuleLine = 4;

}  // namespace

std::vector<std::string> SearchRun::ResultHeader() const {
    const CandidateRow& row = rows_[static_cast<size_t>(best_ - 1)];
    const char sep = header_.decimalSeparator;
    int removals = 0;
    for (const CandidateRow& r : rows_) removals += r.removal ? 1 : 0;
    const int all = static_cast<int>(rows_.size());
    std::vector<std::string> lines = {
        "!Target error=" + FormatFixed(settings_.targetPercent, 4, sep) + "%;Largest delay difference=" +
            (row.largest ? FormatFixed(*row.largest, 4, sep) : std::string("0")) + "% (case " +
            std::to_string(row.worstCase) + ")",
        "!Candidates tried=" + std::to_string(all) + " (threshold " + std::to_string(all - removals) +
            ", species removal " + std::to_string(removals) + "), chosen " + std::to_string(best_) + "; see " +
            kCandidateTableFileName};
    // A stopped search's best is the best of the candidates tried before the stop only.
    if (Stopped()) lines.push_back("!Search stopped by the user: the best candidate before the stop");
    return lines;
}

bool SearchRun::WriteResult() {
    ObserverSink sink(observer_);
    const CandidateRecord& record = *records_[static_cast<size_t>(best_ - 1)];
    const std::string work = input_.files.workDirectory;
    ReducedWriterOutcome outcome = CandidateMechanism(record.marks, record.threshold);
    if (outcome.status != 0) {
        Fail("The reduced mechanism could not be written: " + outcome.error, 0, "");
        return false;
    }
    const std::vector<std::string> extra = ResultHeader();
    outcome.reducedText.insert(
        outcome.reducedText.begin() + static_cast<long>(std::min(kHeaderRuleLine, outcome.reducedText.size())),
        extra.begin(), extra.end());

    // The set is completed in the candidates' folder and put in place only as a whole
    // (result_set.h), so a failure or a stop on the way leaves the earlier result as it was.
    const auto staged = [this](const std::string& name) { return JoinPath(folder_, name); };
    const std::string inp = staged(kReducedMechanismFileName), trim = staged("NEW_SP.TRM"),
                      bin = staged("New_Chem.bin"), save = staged("New_SAVE.dat"), listing = staged("New_Out.dat"),
                      report = staged(kComparisonFileName), table = staged(kCandidateTableFileName);
    std::string error;
    if (!WriteTrimmedSpeciesFile(trim, record.marks, error) ||
        !WriteFileAtomically(inp, JoinCrLf(outcome.reducedText), &error) ||
        !WriteReducedDataFiles(input_.model, record.marks, work, folder_, &error)) {
        Fail("The reduced mechanism could not be written: " + error, 0, "");
        return false;
    }
    if (!yaml::WriteReducedYaml(folder_, &error))
        ReportError(sink, std::string("<E> ") + yaml::kReducedYamlFileName + " not written: " + error);

    // The reduced test, as "Reduced chemistry test" runs it, and the comparison report.
    SettingsInput reducedInput = input_.settings;
    reducedInput.speciesMarks = record.marks;
    TWState reducedSettings;
    JobRecord job{};
    job.ReducedFilesFlag = 1;
    if (reducedSettings.GetReactDat(reducedInput, settings_.method, input_.numbers, sink) > 0) {
        ReportError(sink, "<E> Paramater Setting Error.");
        return false;
    }
    const JobFillResult fill = FillJobRecord(job, reducedSettings, input_.files);
    if (!fill.ok) {
        ReportError(sink, fill.message);
        return false;
    }
    // They fit: Prepare tried the candidates' folder with the longest of these names.
    EncodePathField(inp, job.InpFile);
    EncodePathField(bin, job.MechBinFile);
    EncodePathField(save, job.SaveFile);
    EncodePathField(listing, job.OutFile);
    std::remove(listing.c_str());  // an earlier search's listing is no part of this set
    CaseChunk all{0, 0, 0, {}};
    for (size_t c = 0; c < reference_.size(); ++c) all.cases.push_back(static_cast<int>(c));
    const IgnitionOutcome ran = ignition_.Run(job, {all}, true, {});
    if (!ran.ok) {
        Fail(ran.error + " on the reduced mechanism", ran.status, listing, listing);
        return false;
    }
    std::optional<double> largest = 0.0;
    for (size_t c = 0; c < ran.cases.size() && c < reference_.size(); ++c) {
        const auto d = ran.cases[c] ? CaseDifference(reference_[c], *ran.cases[c]) : std::nullopt;
        if (!d) largest.reset();
        if (largest && *d > *largest) largest = d;
    }
    // The chosen mechanism's flame and stirred-reactor cases go into its report and its set.
    std::vector<std::string> reactorLines;
    std::vector<StagedFile> reactorFiles;
    if (!input_.reactorCases.empty()) {
        if (!RunReactorsIn(job, bin, staged(kReducedTransportFileName), folder_)) {
            failed_ = true;
            return false;
        }
        const reactors::ReactorComparison compared = reactors::CompareReactorCases(work, input_.reactorCases, folder_);
        if (!compared.ok) {
            ReportError(sink, compared.error);
            return false;
        }
        reactorLines = compared.reportLines;
        reactorFiles.push_back({reactors::TransportBinaryFile(folder_, true), reactors::TransportBinaryFile(work, true)});
        for (const ReactorCaseLine& line : input_.reactorCases)
            reactorFiles.push_back({reactors::ReactorDataFile(folder_, line.kind, true),
                                    reactors::ReactorDataFile(work, line.kind, true)});
    }
    if (CompareResultFiles(detailedPaths_.saveFile, save, report, sink, std::chrono::system_clock::now(),
                           reactorLines) != kCompareOk)
        return false;
    if (!WriteFileAtomically(table, CandidateTableText(rows_, settings_.targetPercent, settings_.method, best_), &error)) {
        ReportError(sink, "<E> The candidate table could not be written: " + error);
        return false;
    }

    outcome.outputPath = JoinPath(work, kReducedMechanismFileName);
    outcome.trimmedSpeciesPath = JoinPath(work, "SP.TRM");
    tablePath_ = JoinPath(work, kCandidateTableFileName);
    std::vector<StagedFile> set{{inp, outcome.outputPath}, {trim, outcome.trimmedSpeciesPath},
                                {bin, JoinPath(work, "New_Chem.bin")}};
    if (std::error_code ec; std::filesystem::exists(listing, ec))  // a library may write none
        set.push_back({listing, JoinPath(work, "New_Out.dat")});
    // A data file without a source was not staged; the earlier one then describes another mechanism.
    for (const char* name : {kReducedThermoFileName, kReducedTransportFileName, yaml::kReducedYamlFileName}) {
        std::error_code ec;
        if (std::filesystem::exists(staged(name), ec)) {
            set.push_back({staged(name), JoinPath(work, name)});
        } else if (!std::filesystem::remove(JoinPath(work, name), ec) && ec) {
            ReportError(sink, "<E> The result could not be put in place: cannot remove " + JoinPath(work, name) +
                                  ": " + ec.message());
            return false;
        }
    }
    set.insert(set.end(), reactorFiles.begin(), reactorFiles.end());
    set.insert(set.end(), {{save, JoinPath(work, "New_SAVE.dat")},
                           {table, tablePath_},
                           {report, JoinPath(work, kComparisonFileName)}});
    if (!InstallResultSet(work, set, &error)) {
        tablePath_.clear();
        ReportError(sink, "<E> The result could not be put in place: " + error);
        return false;
    }
    outcome.completed = true;
    result_ = outcome;
    sink.AddLine("> " + outcome.reducedCountsCaption + " written to " + outcome.outputPath);
    sink.AddLine("> Reduced chemistry test: largest delay difference " + FormatDifference(largest, 2) + " %");
    KeepInHistory(set, largest);
    return true;
}

// The result as the set put it in place, with the detailed standard data it was measured on.
void SearchRun::KeepInHistory(const std::vector<StagedFile>& set, const std::optional<double>& largest) {
    const CandidateRow& row = rows_[static_cast<size_t>(best_ - 1)];
    history::RunSummary summary;
    const auto now = std::chrono::system_clock::now();
    summary.when = FormatLocalTimestamp(now);
    summary.kind = "target search";
    summary.method = MethodName(settings_.method);
    summary.threshold = history::ShortestNumber(row.threshold);
    summary.target = history::ShortestNumber(settings_.targetPercent);
    summary.keptSpecies = row.species;
    summary.detailedSpecies = static_cast<int>(input_.model.Species.size());
    summary.keptReactions = row.reactions;
    summary.detailedReactions = input_.model.DetailedReactionCount;
    summary.largestPercent = largest;
    if (!largest) summary.comparisonNote = "a case ignites in one mechanism only";
    summary.alwaysKept = JoinSpeciesNames(input_.settings.alwaysKept);
    std::vector<std::string> files{detailedPaths_.saveFile};
    for (const StagedFile& file : set) files.push_back(file.to);
    const history::KeptRun kept = history::KeepRun(input_.files.workDirectory, summary.method + "_target" + summary.target,
                                                   files, summary, now);
    ObserverSink sink(observer_);
    for (const std::string& notice : kept.notices) sink.AddLine("> " + notice);
    if (kept.ok) sink.AddLine(history::KeptRunLine(kept));
    else ReportError(sink, history::KeptRunLine(kept));
}

void SearchRun::WriteTable() {
    tablePath_ = JoinPath(input_.files.workDirectory, kCandidateTableFileName);
    std::string error;
    if (!WriteFileAtomically(tablePath_, CandidateTableText(rows_, settings_.targetPercent, settings_.method, best_),
                             &error)) {
        ObserverSink sink(observer_);
        ReportError(sink, "<E> The candidate table could not be written: " + error);
        tablePath_.clear();
    }
}

}  // namespace vantor::search
