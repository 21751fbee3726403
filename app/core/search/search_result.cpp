// The target search's result: NEW_Chem.inp with its header lines, SP.TRM, the reduced test and
// the comparison report of the best candidate, and the candidate table.

#include <chrono>
#include <cstdio>

#include "app/core/mechanism/text_format.h"
#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/message_sink.h"
#include "app/core/search/search_run.h"
#include "common/atomic_file.h"

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
    return {"!Target error=" + FormatFixed(settings_.targetPercent, 4, sep) +
                "%;Largest delay difference=" + (row.largest ? FormatFixed(*row.largest, 4, sep) : std::string("0")) +
                "% (case " + std::to_string(row.worstCase) + ")",
            "!Candidates tried=" + std::to_string(all) + " (threshold " + std::to_string(all - removals) +
                ", species removal " + std::to_string(removals) + "), chosen " + std::to_string(best_) + "; see " +
                kCandidateTableFileName};
}

bool SearchRun::WriteResult() {
    ObserverSink sink(observer_);
    const CandidateRecord& record = *records_[static_cast<size_t>(best_ - 1)];
    const std::string work = input_.files.workDirectory;
    ReducedWriterOutcome outcome = record.mechanism;
    const std::vector<std::string> extra = ResultHeader();
    outcome.reducedText.insert(
        outcome.reducedText.begin() + static_cast<long>(std::min(kHeaderRuleLine, outcome.reducedText.size())),
        extra.begin(), extra.end());
    std::string error;
    const std::string trim = JoinPath(work, "SP.TRM");
    outcome.outputPath = JoinPath(work, kReducedMechanismFileName);
    if (!WriteTrimmedSpeciesFile(trim, record.marks, error) ||
        !WriteFileAtomically(outcome.outputPath, JoinCrLf(outcome.reducedText), &error)) {
        Fail("The reduced mechanism could not be written: " + error, 0, "");
        return false;
    }
    outcome.trimmedSpeciesPath = trim;
    outcome.completed = true;
    result_ = outcome;
    sink.AddLine("> " + outcome.reducedCountsCaption + " written to " + outcome.outputPath);

    // The reduced test, as "Reduced chemistry test" leaves it, and the comparison report.
    SettingsInput reducedInput = input_.settings;
    reducedInput.speciesMarks = record.marks;
    TWState reducedSettings;
    JobRecord job{};
    job.ReducedFilesFlag = 1;
    if (reducedSettings.GetReactDat(reducedInput, settings_.ecf, input_.numbers, sink) > 0) {
        ReportError(sink, "<E> Paramater Setting Error.");
        return false;
    }
    const JobFillResult fill = FillJobRecord(job, reducedSettings, input_.files);
    if (!fill.ok) {
        ReportError(sink, fill.message);
        return false;
    }
    CaseChunk all{0, 0, 0, {}};
    for (size_t c = 0; c < reference_.size(); ++c) all.cases.push_back(static_cast<int>(c));
    const IgnitionOutcome ran = ignition_.Run(job, {all}, true, {});
    if (!ran.ok) {
        Fail(ran.error + " on the reduced mechanism", ran.status, "New_out.dat");
        return false;
    }
    std::optional<double> largest = 0.0;
    for (size_t c = 0; c < ran.cases.size() && c < reference_.size(); ++c) {
        const auto d = ran.cases[c] ? CaseDifference(reference_[c], *ran.cases[c]) : std::nullopt;
        if (!d) largest.reset();
        if (largest && *d > *largest) largest = d;
    }
    sink.AddLine("> Reduced chemistry test: largest delay difference " + FormatDifference(largest, 2) + " %");
    return CompareResults(work, sink, std::chrono::system_clock::now()) == kCompareOk;
}

void SearchRun::WriteTable() {
    tablePath_ = JoinPath(input_.files.workDirectory, kCandidateTableFileName);
    std::string error;
    if (!WriteFileAtomically(tablePath_, CandidateTableText(rows_, settings_.targetPercent, settings_.ecf, best_),
                             &error)) {
        ObserverSink sink(observer_);
        ReportError(sink, "<E> The candidate table could not be written: " + error);
        tablePath_.clear();
    }
}

}  // namespace vantor::search
