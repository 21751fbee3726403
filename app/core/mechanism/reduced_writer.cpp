// The reduced writer: the line pass over the mechanism text, the header and the task-5 entry.

#include "app/core/mechanism/reduced_writer.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>

#include "app/core/mechanism/reduced_data_files.h"
#include "app/core/mechanism/removed_name_set.h"
#include "app/core/mechanism/section_keywords.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/mechanism/trimming.h"
#include "app/core/yaml/mechanism_conversion.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"

namespace vantor {

namespace {

const std::string kRule = "!" + std::string(65, '-');

void SetProgress(double* progress, double value) {
    if (progress) StoreProgress(progress, value);
}

std::string JoinFixed(const std::vector<double>& values, char separator) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ",";
        text += FormatFixed(values[i], 4, separator);
    }
    return text;
}

std::string CountsHeaderLine(const MechanismModel& m) {
    return "!Detailed SP#=" + std::to_string(m.DetailedSpeciesCount) + ",RA#=" +
           std::to_string(m.DetailedReactionCount) + "=>Reduced SP#=" + std::to_string(m.KeptSpeciesCount) +
           ";RA#=" + std::to_string(m.ReducedReactionCount);
}

// The species section's replacement: removed names commented out, then the kept names, five a line.
void AppendSpeciesBlock(const MechanismModel& model, std::vector<std::string>& out) {
    for (const bool kept : {false, true}) {
        std::string running;
        int inLine = 0;
        const auto flush = [&] {
            out.push_back((kept ? std::string(" ") : std::string(kRemovedLinePrefix)) + running);
            running.clear();
            inLine = 0;
        };
        for (const auto& s : model.Species) {
            if (s.checked != kept) continue;
            running += " " + s.name;
            if (++inLine == 5) flush();
        }
        if (inLine > 0) flush();
    }
}

// The reaction-section state of the line pass.
struct ReactionPass {
    const MechanismModel& model;
    std::vector<std::string>& out;
    RemovedNameSet removedNames{model.RemovedSpeciesNames};
    bool removedGroup = false;
    int32_t removedReactions = 0;

    void Add(const std::string& line, const std::string& trimmed) {
        switch (ClassifyLine(trimmed, removedNames)) {
            case kRemovedReaction:
                out.push_back(kRemovedLinePrefix + line);
                ++removedReactions;
                removedGroup = true;
                break;
            case kKeptReaction:
                out.push_back(line);
                removedGroup = false;
                break;
            case kAuxiliary:
                out.push_back(removedGroup ? kRemovedLinePrefix + line : line);
                break;
            default:  // an auxiliary line naming a removed species
                if (!removedGroup && trimmed.find('/') != std::string::npos) {
                    out.push_back(kRemovedLinePrefix + line + "\r\n" + CleanEfficiencyLine(trimmed, model.Species));
                } else {
                    out.push_back(kRemovedLinePrefix + line);
                }
                break;
        }
    }
};

// Appends the transformed mechanism text; returns the number of reactions commented out.
// Sections are recognised as the compiler recognises them (section_keywords.h). The REACTIONS
// line is kept whole: its unit keywords (KCAL/MOLE, MOLES, ...) give every rate constant its
// meaning.
int32_t TransformText(const MechanismModel& model, std::vector<std::string>& out, double* progress) {
    bool inSpecies = false, speciesDone = false, inReactions = false, reactionsDone = false;
    ReactionPass reactions{model, out};
    const size_t n = model.MechanismText.size();
    const double step = 60.0 / (n > 1 ? static_cast<double>(n - 1) + 1e-10 : 1.0);
    double value = 30.0;
    for (const auto& line : model.MechanismText) {
        value += step;
        SetProgress(progress, value);
        const std::string trimmed = TrimLeadingBlanks(line.text);
        if (trimmed.empty()) {
            if (line.kept) out.push_back(line.text);
            continue;
        }
        if (!line.kept) continue;
        if (trimmed[0] == '!') {
            out.push_back(line.text);
            continue;
        }
        const MechanismKeyword keyword = LeadingKeyword(trimmed);
        if (inSpecies) {
            // The species block already holds the names; only the closing END is copied.
            if (const size_t end = FindEndWord(trimmed); end != std::string::npos) {
                inSpecies = false;
                speciesDone = true;
                out.push_back(end == 0 ? line.text : trimmed.substr(end));
                continue;
            }
            if (!OpensSection(keyword)) continue;
            inSpecies = false;  // a section without its END ends at the next keyword
            speciesDone = true;
        }
        if (inReactions) {
            if (!ClosesReactions(trimmed)) {
                reactions.Add(line.text, trimmed);
                continue;
            }
            inReactions = false;
            reactionsDone = true;
            reactions.removedGroup = false;
        }
        if (keyword == MechanismKeyword::Species && !speciesDone) {
            out.push_back("SPECIES");
            AppendSpeciesBlock(model, out);
            const std::string_view rest = std::string_view(trimmed).substr(std::min(trimmed.size(), trimmed.find(' ')));
            if (const size_t end = FindEndWord(rest); end != std::string::npos) {
                out.push_back(std::string(rest.substr(end)));
                speciesDone = true;
            } else {
                inSpecies = true;
            }
            continue;
        }
        if (keyword == MechanismKeyword::Reactions && !reactionsDone) inReactions = true;
        out.push_back(line.text);
    }
    return reactions.removedReactions;
}

}  // namespace

std::string FormatSettingsHeaderLine(const ReducedHeaderSettings& s) {
    std::string mixtures;
    for (size_t i = 0; i < s.mixtureLines.size(); ++i) {
        if (i > 0) mixtures += ",";
        mixtures += s.mixtureLines[i];
    }
    return "!P=" + JoinFixed(s.pressures, s.decimalSeparator) + "atm;T=" + JoinFixed(s.temperatures, s.decimalSeparator) +
           "K;Mix=" + mixtures + ";THD=" + FormatFixed(s.threshold, 4, s.decimalSeparator) +
           ";HHR=" + FormatFixed(s.heatKeptRatio, 4, s.decimalSeparator);
}

ReducedWriterOutcome BuildReducedMechanism(ReducedWriterJob& job, double* progress) {
    ReducedWriterOutcome outcome;
    MechanismModel& model = job.model;
    SetProgress(progress, 0.0);
    model.TrimmedSpeciesPath = job.trimmedSpeciesPath;
    outcome.trimmedSpeciesPath = job.trimmedSpeciesPath;
    SetProgress(progress, 10.0);

    outcome.status = ReadTrimmedSpecies(model, &outcome.error);
    outcome.readerRan = true;
    outcome.speciesChecked = model.SpeciesMarks();
    outcome.removedSpeciesNames = model.RemovedSpeciesNames;
    outcome.keptSpeciesCount = model.KeptSpeciesCount;
    outcome.keepCaption = model.KeepCaption;
    if (outcome.status > 0) return outcome;

    SetProgress(progress, 20.0);
    std::vector<std::string>& out = outcome.reducedText;
    const std::string timestamp =
        job.settings.timestamp.empty() ? FormatLocalTimestamp(std::chrono::system_clock::now()) : job.settings.timestamp;
    out.push_back(kRule);
    out.push_back(std::string("!Chemistry reduced by ") + MethodName(job.settings.method) + " @" + timestamp);
    out.push_back(FormatSettingsHeaderLine(job.settings));
    out.push_back(CountsHeaderLine(model));
    out.push_back(kRule);

    outcome.generationStarted = true;
    SetProgress(progress, 30.0);
    outcome.removedReactionCount = TransformText(model, out, progress);

    model.ReducedReactionCount = model.DetailedReactionCount - outcome.removedReactionCount;
    outcome.reducedReactionCount = model.ReducedReactionCount;
    out[3] = CountsHeaderLine(model);
    outcome.reducedCountsCaption = "Reduced Chemistry (SP#=" + std::to_string(model.KeptSpeciesCount) +
                                   ", RA#=" + std::to_string(model.ReducedReactionCount) + ")";
    SetProgress(progress, 90.0);
    return outcome;
}

int32_t WriteReducedMechanism(ReducedWriterJob job, int32_t* status, double* progress, ReducedWriterOutcome* outcome) {
    StoreStatus(status, 0);
    ReducedWriterOutcome result = BuildReducedMechanism(job, progress);
    if (result.status == 0) {
        result.outputPath = job.workDirectory + "/" + kReducedMechanismFileName;
        std::string error;
        if (!WriteFileAtomically(result.outputPath, JoinCrLf(result.reducedText), &error)) {
            result.status = kReducedStoreFailed;
            result.error = error;
        } else if (!WriteReducedDataFiles(job.model, job.model.SpeciesMarks(), job.workDirectory, job.workDirectory,
                                          &error)) {
            // The mechanism without its data files is no finished set.
            result.status = kReducedStoreFailed;
            result.error = std::string(kReducedMechanismFileName) + " written, but its data files not: " + error;
        } else {
            // The YAML copy is an extra: without it the CHEMKIN set is still complete.
            if (!yaml::WriteReducedYaml(job.workDirectory, &error))
                result.yamlError = std::string("<E> ") + yaml::kReducedYamlFileName + " not written: " + error;
            result.completed = true;
            SetProgress(progress, kProgressFinished);
        }
    }
    StoreStatus(status, result.status);
    const bool completed = result.completed;
    if (outcome) *outcome = std::move(result);
    return completed ? kReducedWriterSuccess : 0;
}

void ApplyReducedOutcome(MechanismModel& model, const ReducedWriterOutcome& outcome) {
    if (outcome.readerRan && outcome.speciesChecked.size() == model.Species.size()) {
        for (size_t i = 0; i < model.Species.size(); ++i) model.Species[i].checked = outcome.speciesChecked[i];
        model.RemovedSpeciesNames = outcome.removedSpeciesNames;
        model.KeptSpeciesCount = outcome.keptSpeciesCount;
        model.KeepCaption = outcome.keepCaption;
        model.TrimmedSpeciesPath = outcome.trimmedSpeciesPath;
    }
    if (outcome.generationStarted) {
        model.ReducedText = outcome.reducedText;
        model.ReducedReactionCount = outcome.reducedReactionCount;
        model.GenerationPending = !outcome.completed;
    }
    if (outcome.completed) {
        model.ReducedInpReady = true;
        model.ReducedCountsCaption = outcome.reducedCountsCaption;
    }
}

bool SaveReducedMechanism(const MechanismModel& model, const std::string& path, std::string* error) {
    return WriteFileAtomically(path, JoinCrLf(model.ReducedText), error);
}

ReducedWriterTask::Callable ReducedWriterTask::Entry(ReducedWriterJob job) {
    // std::function needs a copyable target, so the job is shared; every call works on its own
    // copy, so a repeated call generates the same file again.
    auto shared = std::make_shared<const ReducedWriterJob>(std::move(job));
    return [this, shared](int32_t* status, double* progress) { return Run(*shared, status, progress); };
}

int32_t ReducedWriterTask::Run(ReducedWriterJob job, int32_t* status, double* progress) {
    ReducedWriterOutcome outcome;
    int32_t result = 0;
    try {
        result = WriteReducedMechanism(std::move(job), status, progress, &outcome);
    } catch (const std::exception& e) {
        outcome = ReducedWriterOutcome{};
        outcome.status = kReducedWriterFailed;
        outcome.error = std::string("The reduced mechanism could not be generated: ") + e.what();
        StoreStatus(status, kReducedWriterFailed);
        result = 0;
    }
    std::lock_guard lock(mutex_);
    outcome_ = std::move(outcome);
    return result;
}

std::optional<ReducedWriterOutcome> ReducedWriterTask::TakeOutcome() {
    std::lock_guard lock(mutex_);
    std::optional<ReducedWriterOutcome> taken = std::move(outcome_);
    outcome_.reset();
    return taken;
}

}  // namespace vantor
