#include "app/core/search/candidate_mechanism.h"

#include <algorithm>
#include <fstream>

#include "app/core/mechanism/text_format.h"
#include "common/atomic_file.h"
#include "common/fixed_format.h"

namespace vantor::search {

namespace {

constexpr int kNumbersPerLine = 2000;

}  // namespace

bool ReadKeepMarks(const std::string& path, int32_t speciesCount, KeepMarks& marks, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot read the trimmed-species file " + path;
        return false;
    }
    marks.assign(static_cast<size_t>(speciesCount), true);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && (line[0] == 'N' || line[0] == 'n')) continue;
        for (const std::string& token : SplitAtBlanks(line)) {
            const auto number = ParseInt32(token);
            if (!number || *number < 1 || *number > speciesCount) {
                error = path + ", line " + std::to_string(lineNumber) + ": '" + token + "' is not a species number";
                return false;
            }
            marks[static_cast<size_t>(*number - 1)] = false;
        }
    }
    return true;
}

int32_t KeptCount(const KeepMarks& marks) { return static_cast<int32_t>(std::count(marks.begin(), marks.end(), true)); }

bool WriteTrimmedSpeciesFile(const std::string& path, const KeepMarks& marks, std::string& error) {
    const auto total = static_cast<long long>(marks.size());
    const long long kept = KeptCount(marks);
    std::string text = "NOTE: Original SP#=" + FormatI(total, 5) + "  Trim SP#=" + FormatI(total - kept, 5) +
                       "  Keep SP#=" + FormatI(kept, 5) + "\r\n";
    int inLine = 0;
    for (size_t k = 0; k < marks.size(); ++k) {
        if (marks[k]) continue;
        text += FormatI(static_cast<long long>(k) + 1, 5);
        if (++inLine == kNumbersPerLine) {
            text += "\r\n";
            inLine = 0;
        }
    }
    if (inLine > 0 || kept == total) text += "\r\n";
    return WriteFileAtomically(path, text, &error);
}

ReducedWriterOutcome BuildCandidateMechanism(const MechanismModel& model, const ReducedHeaderSettings& header,
                                             const KeepMarks& marks, const std::string& trimPath) {
    ReducedWriterOutcome outcome;
    std::string error;
    if (!WriteTrimmedSpeciesFile(trimPath, marks, error)) {
        outcome.status = kReducedStoreFailed;
        outcome.error = error;
        return outcome;
    }
    ReducedWriterJob job;
    job.model = model;
    job.model.CheckAllSpecies(true);
    job.settings = header;
    job.trimmedSpeciesPath = trimPath;
    return BuildReducedMechanism(job);
}

}  // namespace vantor::search
