// "Remove by reaction #": the reaction map and the removal of reactions by number.

#include <cstdint>
#include <limits>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/section_keywords.h"
#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/mechanism/trimming.h"
#include "common/atomic_file.h"

namespace vantor {

namespace {

bool IsNamePart(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '-';
}

// The reaction numbers of the list file: the first integer of every non-empty line.
bool ReadReactionNumbers(const std::string& path, std::vector<int32_t>& numbers, std::string& error) {
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines, &error, "Cannot read the reaction list")) return false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto tokens = SplitAtBlanks(TrimBlanks(lines[i]));
        if (tokens.empty()) continue;
        const auto number = ParseInt32(tokens[0]);
        if (!number) {
            error = path + " line " + std::to_string(i + 1) + ": '" + tokens[0] + "' is not a reaction number.";
            return false;
        }
        numbers.push_back(*number);
    }
    return true;
}

// Unchecks every checked species that no kept line from the first to the last reaction line names.
void UncheckUnusedSpecies(MechanismModel& model, const ReactionMap& map) {
    std::vector<const std::string*> considered;
    if (map.firstReactionLine > 0) {
        for (int32_t l = map.firstReactionLine; l <= map.lastReactionLine; ++l) {
            const auto& line = model.MechanismText[static_cast<size_t>(l - 1)];
            const std::string text = TrimLeadingBlanks(line.text);
            if (line.kept && text.size() > 1 && text[0] != '!') considered.push_back(&line.text);
        }
    }
    for (auto& species : model.Species) {
        if (!species.checked) continue;
        bool used = false;
        for (const auto* line : considered) {
            if (SpeciesInLine(species.name, *line)) {
                used = true;
                break;
            }
        }
        if (!used) species.checked = false;
    }
}

}  // namespace

bool SpeciesInLine(std::string_view name, std::string_view line) {
    if (name.empty()) return false;
    std::string work(line);
    // The overwrite hides a rejected match from the next search; searching on from the next
    // character also ends the loop for a name that itself begins with '#'.
    for (size_t pos = work.find(name); pos != std::string::npos; pos = work.find(name, pos + 1)) {
        const size_t after = pos + name.size();
        const bool partOfLonger = (pos > 0 && IsNamePart(work[pos - 1])) || (after < work.size() && IsNamePart(work[after]));
        if (!partOfLonger) return true;
        work[pos] = '#';
    }
    return false;
}

ReactionMap BuildReactionMap(const std::vector<MechanismLine>& text) {
    ReactionMap map;
    bool started = false;
    int32_t reaction = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string trimmed = TrimLeadingBlanks(text[i].text);
        if (trimmed.empty() || trimmed[0] == '!') continue;
        // The map covers the reaction section as the compiler reads it, so reaction numbers agree
        // with the binary's: a trailing "! recommended" neither hides a reaction nor ends the section.
        if (!started) {
            started = LeadingKeyword(trimmed) == MechanismKeyword::Reactions;
            continue;
        }
        if (ClosesReactions(trimmed)) break;
        const auto line = static_cast<int64_t>(i + 1);
        const bool isReaction = IsReactionLine(trimmed);
        if (isReaction) ++reaction;
        // The file holds each code as a signed 32-bit integer whose last five digits are the line.
        if (line > 99999 || static_cast<int64_t>(reaction) * 100000 + line > std::numeric_limits<int32_t>::max()) {
            map.fits = false;
            return map;
        }
        map.entries.push_back({reaction, static_cast<int32_t>(line), isReaction});
        if (isReaction) {
            if (map.firstReactionLine == 0) map.firstReactionLine = static_cast<int32_t>(line);
            map.lastReactionLine = static_cast<int32_t>(line);
        }
    }
    map.reactionCount = reaction;
    return map;
}

std::string FormatReactionMap(const ReactionMap& map) {
    std::string text;
    for (const auto& entry : map.entries) {
        if (!entry.isReaction) text += "     ";
        text += std::to_string(entry.Code());
        text += "\r\n";
    }
    return text;
}

ReactionTrimResult RemoveByReactionNumber(MechanismModel& model, const std::string& mapDirectory) {
    ReactionTrimResult result;
    if (model.TrimmedSpeciesPath.empty()) return result;

    const ReactionMap map = BuildReactionMap(model.MechanismText);
    if (!map.fits) {
        result.ok = false;
        result.error = "The mechanism is too large for the reaction map (at most 99999 lines and 21474 reactions).";
        return result;
    }
    const std::string mapPath = mapDirectory + "/" + kReactionMapFileName;
    if (!WriteFileAtomically(mapPath, FormatReactionMap(map), &result.error)) {
        result.ok = false;
        return result;
    }
    // The whole list is read before any mark changes, so a bad line leaves the marks as they were.
    std::vector<int32_t> numbers;
    if (!ReadReactionNumbers(model.TrimmedSpeciesPath, numbers, result.error)) {
        result.ok = false;
        return result;
    }
    for (const int32_t n : numbers) {
        if (n <= 0) continue;
        ++result.trimmedReactionCount;
        for (const auto& entry : map.entries) {
            if (entry.reaction > n) break;
            if (entry.reaction == n) model.MechanismText[static_cast<size_t>(entry.line - 1)].kept = false;
        }
    }
    result.mapReactionCount = map.reactionCount;
    model.ReactionTrimCaption = "Reac Kept:" + std::to_string(map.reactionCount - result.trimmedReactionCount) +
                                "  Trimmed:" + std::to_string(result.trimmedReactionCount);
    UncheckUnusedSpecies(model, map);
    UpdateSpeciesCounts(model);
    result.confirmation = "Trim Using Reaction # OK!";
    return result;
}

}  // namespace vantor
