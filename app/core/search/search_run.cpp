// The target search's set-up, the detailed mechanism's runs and the evaluation of one candidate.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/core/mechanism/text_format.h"
#include "app/core/pipeline/failure_reasons.h"
#include "app/core/pipeline/input_checks.h"
#include "app/core/pipeline/launched_ignition_call.h"
#include "app/core/pipeline/message_sink.h"
#include "common/target_list.h"
#include "app/core/search/search_run.h"
#include "common/atomic_file.h"
#include "common/path_field.h"
#include "common/run_folder.h"

namespace vantor::search {

namespace {

constexpr int kTaskReduction = 2;
constexpr int kTaskMechanismBinary = 3;
constexpr const char* kCandidateFolder = "TRG";

std::string Format(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

bool SetPath(PathField& field, const std::string& path) { return EncodePathField(path, field); }

}  // namespace

SearchRun::SearchRun(const SearchEntries& entries, const TargetSearchSettings& settings, const TargetSearchInput& input,
                     SearchObserver& observer, const TargetSearch& owner)
    : entries_(entries),
      settings_(settings),
      input_(input),
      observer_(observer),
      owner_(owner),
      ignition_(entries.tolmar, entries.senkin,
                settings.launcher.empty() ? IgnitionLauncher{} : ProgramLauncher(settings.launcher)),
      started_(std::chrono::steady_clock::now()) {}

bool SearchRun::Stopped() const { return owner_.StopRequested(); }

double SearchRun::Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void SearchRun::Fail(const std::string& error, int32_t status, const std::string& listing,
                     const std::string& listingPath) {
    failed_ = true;
    ObserverSink sink(observer_);
    ReportError(sink, "<E> " + error);
    if (status <= 0) return;
    sink.AddLine("> Something wrrong #" + std::to_string(status) + " ,please check " + listing + " file.");
    if (const std::string reason = listingPath.empty() ? "" : ListingErrorLine(listingPath); !reason.empty())
        sink.AddLine("> " + listingPath + ": " + reason);
}

bool SearchRun::Prepare() {
    ObserverSink sink(observer_);
    if (!entries_.tolmar || !entries_.senkin || !entries_.engine) {
        ReportError(sink, "<E> The libraries are not loaded: the search cannot run.");
        return false;
    }
    SettingsInput all = input_.settings;
    all.speciesMarks.assign(all.speciesNames.size(), true);
    if (detailedSettings_.GetReactDat(all, settings_.method, input_.numbers, sink) > 0) {
        ReportError(sink, "<E> Paramater Setting Error.");
        return false;
    }
    detailedJob_.ReducedFilesFlag = 0;
    const JobFillResult fill = FillJobRecord(detailedJob_, detailedSettings_, input_.files);
    detailedPaths_ = fill.paths;
    if (!fill.ok) {
        ReportError(sink, fill.message);
        return false;
    }
    if (const auto missing = FindMissingInput(kTaskMechanismBinary, detailedPaths_)) {
        ReportError(sink, missing->message);
        sink.AddLine("> " + missing->path + ": " + InputFileProblem(missing->path));
        return false;
    }
    folder_ = JoinPath(input_.files.workDirectory, kCandidateFolder);
    std::string why;
    PathField probe;
    if (!MakeRunFolder(folder_, &why) || !SetPath(probe, JoinPath(folder_, "New_Chem.bin"))) {  // the longest name of a job record
        ReportError(sink,
                    "<E> Cannot use the folder for the candidates' files: " + folder_ + (why.empty() ? "" : ": " + why));
        return false;
    }
    const size_t speciesCount = input_.model.Species.size();
    fixed_.assign(speciesCount, false);
    const auto fix = [this, speciesCount](int index) {
        if (index >= 1 && static_cast<size_t>(index) <= speciesCount) fixed_[static_cast<size_t>(index - 1)] = true;
    };
    for (int m = 1; m <= detailedSettings_.n_Mixs; ++m)
        for (int k = 1; k <= detailedSettings_.Indxs[m][0]; ++k) fix(detailedSettings_.Indxs[m][k]);
    // The always-kept species are numbered in the full species list, as the marks are.
    for (int k = 1; k <= detailedSettings_.AlwaysKept[0]; ++k) fix(detailedSettings_.AlwaysKept[k]);
    // DRG and DRGEP always keep the user's targets: the removal spares them like the mixtures' species.
    if (UsesTargets(settings_.method))
        for (size_t k = 0; k < speciesCount; ++k)
            for (const std::string& target : input_.settings.targetSpecies)
                if (ToUpperAscii(target) == ToUpperAscii(input_.model.Species[k].name)) fixed_[k] = true;
    header_.pressures.assign(detailedSettings_.Ps.begin() + 1,
                             detailedSettings_.Ps.begin() + 1 + detailedSettings_.n_Ps);
    header_.temperatures.assign(detailedSettings_.Ts.begin() + 1,
                                detailedSettings_.Ts.begin() + 1 + detailedSettings_.n_Ts);
    header_.mixtureLines = input_.settings.mixtureLines;
    header_.heatKeptRatio = detailedSettings_.v_HKEEP;
    header_.method = settings_.method;
    header_.decimalSeparator = input_.numbers.decimalSeparator;
    return true;
}

bool SearchRun::RunDetailed() {
    observer_.AddLine("> Detailed mechanism: Tolmar data generation and Standard data calculation start ......");
    SetProgress(0.0, "Detailed mechanism: ignition runs");
    CaseChunk all{0, 0, 0, {}};
    for (int c = 0; c < detailedSettings_.n_WState; ++c) all.cases.push_back(c);
    const IgnitionOutcome ran = [&] {
        SearchProfile::Timer timer(profile_, SearchPhase::Detailed);
        return ignition_.Run(detailedJob_, {all}, true, {});
    }();
    if (!ran.ok) {
        Fail(ran.error + " on the detailed mechanism: the search stops.", ran.status, "out.dat",
             detailedPaths_.outFile);
        return false;
    }
    reference_.clear();
    for (const auto& c : ran.cases) reference_.push_back(c.value_or(IgnitionCase{}));
    int ignited = 0;
    for (const IgnitionCase& c : reference_) ignited += c.ignited ? 1 : 0;
    observer_.AddLine(Format("> Detailed mechanism: %d species, %d reactions, %d cases (%d ignited) in %.3f s",
                             input_.model.DetailedSpeciesCount, input_.model.DetailedReactionCount,
                             static_cast<int>(reference_.size()), ignited, Elapsed()));
    return RunDetailedReactors();
}

bool SearchRun::EngineMarks(double t, KeepMarks& marks, const std::string& listingPath) {
    JobRecord job = detailedJob_;
    const std::string trim = JoinPath(folder_, "SP.TRM");
    SetPath(job.TrimFile, trim);
    SetPath(job.OutFile, listingPath);
    const double clipped = std::clamp(t, 0.0, 1.0);
    job.Threshold = EngineThreshold(settings_.method, clipped);
    std::string error;
    if (UsesTargets(settings_.method) && !WriteTargetList(trim, input_.settings.targetSpecies, &error)) {
        Fail(error, 0, "");
        return false;
    }
    const EntryOutcome ran = [&] {
        SearchProfile::Timer timer(profile_, SearchPhase::Engine);
        return CallEntry(entries_.engine, job, kTaskReduction);
    }();
    if (!ran.ok) {
        Fail(std::string("Run ") + MethodName(settings_.method) + " procedure failed", ran.status, listingPath,
             listingPath);
        return false;
    }
    if (!ReadKeepMarks(trim, static_cast<int32_t>(input_.model.Species.size()), marks, error)) {
        Fail(error, 0, "");
        return false;
    }
    return true;
}

std::optional<int> SearchRun::SameAs(const KeepMarks& marks) const {
    for (size_t i = 0; i < records_.size(); ++i)
        if (records_[i] && records_[i]->marks == marks) return static_cast<int>(i) + 1;
    return std::nullopt;
}

// The detailed job with the candidate's files and the mixtures' species renumbered among the kept.
JobRecord SearchRun::CandidateJob(const KeepMarks& marks) const {
    JobRecord job = detailedJob_;
    SetPath(job.InpFile, JoinPath(folder_, "Chem.inp"));
    SetPath(job.MechBinFile, JoinPath(folder_, "Chem.bin"));
    SetPath(job.OutFile, JoinPath(folder_, "Out.dat"));
    SetPath(job.SaveFile, JoinPath(folder_, "SAVE.dat"));
    std::vector<int16_t> renumber(marks.size() + 1, 0);
    int16_t next = 0;
    for (size_t k = 0; k < marks.size(); ++k)
        if (marks[k]) renumber[k + 1] = ++next;
    for (int m = 1; m <= job.NMix; ++m)
        for (int k = 1; k <= job.mixIndex(m, 0); ++k) {
            const int16_t index = job.mixIndex(m, k);
            if (index >= 1 && static_cast<size_t>(index) < renumber.size()) job.mixIndex(m, k) = renumber[index];
        }
    return job;
}

bool SearchRun::Evaluate(const KeepMarks& marks, double t, const std::string& removed, CandidateRow& row) {
    const auto clock = std::chrono::steady_clock::now();
    row = CandidateRow{};
    row.number = static_cast<int>(rows_.size()) + 1;
    row.removal = !removed.empty();
    row.threshold = t;
    row.removedSpecies = removed;
    row.caseCount = static_cast<int>(reference_.size());
    row.species = KeptCount(marks);
    if (const auto same = SameAs(marks)) {
        const CandidateRow& earlier = rows_[static_cast<size_t>(*same - 1)];
        row.reactions = earlier.reactions;
        row.largest = earlier.largest;
        row.worstCase = earlier.worstCase;
        row.casesRun = earlier.casesRun;
        row.result = CandidateResult::Same;
        row.sameAs = *same;
        rows_.push_back(row);
        records_.emplace_back();
        Report(row);
        return true;
    }
    CandidateRecord record{marks, t};
    // Every species kept: the detailed mechanism itself, known without runs.
    const bool detailed = row.species == static_cast<int>(marks.size());
    // The text is built again for the result: held for every candidate within target it would
    // take megabytes each on a large mechanism.
    std::string error;
    int32_t status = 0;
    {
        SearchProfile::Timer timer(profile_, SearchPhase::Mechanism);
        const ReducedWriterOutcome mechanism = CandidateMechanism(marks, t);
        error = mechanism.error;
        status = mechanism.status;
        if (status == 0 && !detailed &&
            !WriteFileAtomically(JoinPath(folder_, "Chem.inp"), JoinCrLf(mechanism.reducedText), &error))
            status = kReducedStoreFailed;
        row.reactions = mechanism.reducedReactionCount;
    }
    if (status != 0) {
        Fail("The candidate mechanism could not be written: " + error, 0, "");
        return false;
    }
    ++runCandidates_;
    if (detailed) {
        row.largest = 0.0;
        row.casesRun = row.caseCount;
        row.result = CandidateResult::Within;
    } else {
        const JobRecord job = CandidateJob(marks);
        std::vector<CaseChunk> chunks = PlanChunks(job, settings_.cores);
        PutFirst(chunks, lastWorstCase_ > 0 ? lastWorstCase_ - 1 : 0);
        const double target = settings_.targetPercent;
        const auto keepGoing = [this, target](const std::vector<std::optional<IgnitionCase>>& cases) {
            if (Stopped()) return false;
            for (size_t c = 0; c < cases.size(); ++c) {
                if (!cases[c]) continue;
                const auto d = CaseDifference(reference_[c], *cases[c]);
                if (!d || *d > target) return false;
            }
            return true;
        };
        const IgnitionOutcome ran = RunCandidate(job, chunks, keepGoing);
        if (ran.launchFailed) {  // says nothing of the candidate
            Fail(ran.error + " on candidate " + std::to_string(row.number) + ": the search stops.", ran.status, "Out.dat",
                 JoinPath(folder_, "Out.dat"));
            return false;
        }
        if (!ran.ok) {
            // A candidate that does not compile or run is outside target, not the end of the search.
            observer_.AddLine("> Candidate " + std::to_string(row.number) + ": " + ran.error + " (status " +
                              std::to_string(ran.status) + "): counted as outside the target.");
            row.largest.reset();
        }
        bool mismatch = !ran.ok;
        double largest = -1.0;
        for (size_t c = 0; c < ran.cases.size(); ++c) {
            if (!ran.cases[c]) continue;
            ++row.casesRun;
            const auto d = CaseDifference(reference_[c], *ran.cases[c]);
            if (!d) {
                if (!mismatch) row.worstCase = static_cast<int>(c) + 1;
                mismatch = true;
            } else if (!mismatch && *d > largest) {
                largest = *d;
                row.worstCase = static_cast<int>(c) + 1;
            }
        }
        if (!mismatch && largest >= 0.0) row.largest = largest;
        if (Stopped() && ran.stoppedEarly) return false;  // an unfinished candidate is no result
        row.result = !mismatch && row.casesRun == row.caseCount && largest <= target ? CandidateResult::Within
                                                                                     : CandidateResult::Outside;
        CheckCandidateReactors(job, row);
        if (row.worstCase > 0) lastWorstCase_ = row.worstCase;
    }
    row.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - clock).count();
    rows_.push_back(row);
    records_.push_back(std::move(record));
    Report(row);
    return true;
}

ReducedWriterOutcome SearchRun::CandidateMechanism(const KeepMarks& marks, double t) const {
    ReducedHeaderSettings header = header_;
    header.threshold = EngineThreshold(settings_.method, t);
    return BuildCandidateMechanism(input_.model, header, marks, JoinPath(folder_, "Candidate.TRM"));
}

IgnitionOutcome SearchRun::RunCandidate(const JobRecord& job, const std::vector<CaseChunk>& chunks,
                                        const ChunkCheck& keepGoing) {
    {
        SearchProfile::Timer timer(profile_, SearchPhase::Compile);
        if (IgnitionOutcome compiled = ignition_.Run(job, {}, true, {}); !compiled.ok) return compiled;
    }
    SearchProfile::Timer timer(profile_, SearchPhase::Ignition);
    return ignition_.Run(job, chunks, false, keepGoing);
}

void SearchRun::Report(const CandidateRow& row) {
    std::string what = row.removal ? "without " + row.removedSpecies : Format("threshold %.4f", row.threshold);
    std::string line =
        Format("> Candidate %d (%s): SP#=%d, RA#=%d: ", row.number, what.c_str(), row.species, row.reactions);
    if (row.result == CandidateResult::Same) {
        line += "the species of candidate " + std::to_string(row.sameAs) + ", not run again";
    } else {
        // With flame or stirred-reactor cases the largest is over delays, speeds and times alike.
        const std::string largest = input_.reactorCases.empty() ? "largest delay difference " : "largest difference ";
        line += (row.largest ? largest + FormatDifference(row.largest, 2) + " %"
                             : std::string("a case ignites in only one mechanism")) +
                (row.worstCase > 0 ? " (case " + std::to_string(row.worstCase) + ")" : "") +
                (row.result == CandidateResult::Within ? ", within target" : ", outside target") +
                (row.casesRun < row.caseCount ? Format(" after %d of %d cases", row.casesRun, row.caseCount) : "") +
                Format(" [%.1f s]", row.wallSeconds);
    }
    observer_.AddLine(line);
    observer_.CandidateDone(row);
}

}  // namespace vantor::search
