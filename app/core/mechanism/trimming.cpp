// The trimmed-species reader and the list-file commands that set the species marks.

#include "app/core/mechanism/trimming.h"

#include <filesystem>

#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/text_format.h"

namespace vantor {

namespace {

// Tokens of every list line, trimmed and split at blanks, with their 1-based line numbers.
struct ListToken {
    std::string text;
    size_t line;
};

bool ReadListTokens(const std::string& path, std::vector<ListToken>& tokens, std::string& error) {
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines, &error, "Cannot read the list file")) return false;
    for (size_t i = 0; i < lines.size(); ++i) {
        for (auto& token : SplitAtBlanks(TrimBlanks(lines[i]))) tokens.push_back({std::move(token), i + 1});
    }
    return true;
}

std::string NotANumber(const std::string& path, size_t line, const std::string& token, const char* what) {
    return path + " line " + std::to_string(line) + ": '" + token + "' is not " + what + ".";
}

void MarkByName(MechanismModel& model, const std::vector<ListToken>& tokens, bool checked) {
    for (const auto& token : tokens) {
        for (auto& s : model.Species) {
            if (s.name == token.text) s.checked = checked;
        }
    }
}

}  // namespace

void UpdateSpeciesCounts(MechanismModel& model) {
    int32_t kept = 0;
    for (const auto& s : model.Species) kept += s.checked ? 1 : 0;
    const int32_t trimmed = static_cast<int32_t>(model.Species.size()) - kept;
    model.KeptSpeciesCount = kept;
    model.KeepCaption = "Species Kept:" + std::to_string(kept) + "; Trimmed:" + std::to_string(trimmed);
}

int32_t ReadTrimmedSpecies(MechanismModel& model, std::string* error) {
    model.RemovedSpeciesNames.clear();
    const std::string& path = model.TrimmedSpeciesPath;
    const auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return kTrimReaderFailed;
    };
    std::error_code ec;
    if (path.empty()) return fail("No trimmed-species file is named.");
    if (!std::filesystem::exists(path, ec)) return fail("The trimmed-species file " + path + " does not exist.");
    std::vector<std::string> lines;
    std::string readError;
    if (!ReadTextLines(path, lines, &readError, "Cannot read the trimmed-species file")) return fail(readError);

    model.CheckAllSpecies(true);
    const auto count = static_cast<int64_t>(model.Species.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = TrimBlanks(lines[i]);
        if (line.empty() || line[0] == 'N' || line[0] == 'n') continue;
        for (const auto& token : SplitAtBlanks(line)) {
            const auto number = ParseInt32(token);
            if (!number) {
                UpdateSpeciesCounts(model);
                return fail(NotANumber(path, i + 1, token, "a species number"));
            }
            if (*number < 1 || *number > count) continue;  // matches no species
            auto& species = model.Species[static_cast<size_t>(*number - 1)];
            species.checked = false;
            model.RemovedSpeciesNames.push_back(species.name);
        }
    }
    UpdateSpeciesCounts(model);
    return 0;
}

std::string TrimSpeciesAndReactions(MechanismModel& model) {
    model.KeepCaption.clear();
    model.ReducedCountsCaption.clear();
    if (ReadTrimmedSpecies(model) > 0) return "<E> Trmming species error.";
    return "> Species and reactions trimming completed!";
}

namespace {

// Every species starts with the opposite mark; the listed names get `keep`.
TrimCommandResult MarkListedNames(MechanismModel& model, const std::string& listPath, bool keep) {
    TrimCommandResult result;
    std::vector<ListToken> tokens;
    if (!ReadListTokens(listPath, tokens, result.error)) {
        result.ok = false;
        return result;
    }
    model.CheckAllSpecies(!keep);
    MarkByName(model, tokens, keep);
    UpdateSpeciesCounts(model);
    return result;
}

}  // namespace

TrimCommandResult RemoveBySpeciesName(MechanismModel& model, const std::string& listPath) {
    return MarkListedNames(model, listPath, false);
}

TrimCommandResult KeepBySpeciesName(MechanismModel& model, const std::string& listPath) {
    return MarkListedNames(model, listPath, true);
}

TrimCommandResult KeepBySpeciesNumber(MechanismModel& model, const std::string& listPath) {
    TrimCommandResult result;
    std::vector<ListToken> tokens;
    if (!ReadListTokens(listPath, tokens, result.error)) {
        result.ok = false;
        return result;
    }
    model.CheckAllSpecies(false);
    const auto count = static_cast<int64_t>(model.Species.size());
    for (const auto& token : tokens) {
        const auto number = ParseInt32(token.text);
        if (!number) {
            result.ok = false;
            result.error = NotANumber(listPath, token.line, token.text, "a species number");
            break;
        }
        if (*number >= 1 && *number <= count) model.Species[static_cast<size_t>(*number - 1)].checked = true;
    }
    UpdateSpeciesCounts(model);
    return result;
}

}  // namespace vantor
