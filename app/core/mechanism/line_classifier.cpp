// Line classification and efficiency clean-up of the reduced writer's reaction section.

#include <string>

#include "app/core/mechanism/reduced_writer.h"

namespace vantor {

namespace {

bool IsDelimiter(char c) {
    return c == ' ' || c == '(' || c == ')' || c == '+' || c == '/' || c == '<' || c == '=' || c == '>';
}

bool IsCoefficientChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// Whether the occurrence of a name at [pos, pos + length) of `line` is a whole species token.
// Parentheses delimit a name only as a fall-off partner "(+M)": a name right after "(" or ")" is
// part of a longer name (the S of CH2(S)), and a name right before "(" must open "(+", so CH2 is
// not found in CH2(S) while CH3 is found in CH3(+M).
bool IsWholeToken(std::string_view line, size_t pos, size_t length) {
    size_t start = pos;
    while (start > 0 && IsCoefficientChar(line[start - 1])) --start;
    if (start > 0) {
        const char before = line[start - 1];
        if (!IsDelimiter(before) || before == '(' || before == ')') return false;
    }
    const size_t after = pos + length;
    if (after == line.size()) return true;
    if (!IsDelimiter(line[after])) return false;
    return line[after] != '(' || (after + 1 < line.size() && line[after + 1] == '+');
}

bool NamesSpecies(std::string_view line, const std::string& name) {
    if (name.empty()) return false;
    for (size_t pos = line.find(name); pos != std::string_view::npos; pos = line.find(name, pos + 1)) {
        if (IsWholeToken(line, pos, name.size())) return true;
    }
    return false;
}

// Start of the first entry "NAME/", "NAME /", "NAME  /" or "NAME   /" whose name begins the line
// or follows a blank or "/"; npos when there is none. `slash` gets the position of its "/".
size_t FindEfficiencyEntry(std::string_view line, std::string_view name, size_t& slash) {
    for (size_t pos = line.find(name); pos != std::string_view::npos; pos = line.find(name, pos + 1)) {
        if (pos > 0 && line[pos - 1] != ' ' && line[pos - 1] != '/') continue;
        size_t s = pos + name.size();
        int blanks = 0;
        while (s < line.size() && line[s] == ' ' && blanks < 3) {
            ++s;
            ++blanks;
        }
        if (s < line.size() && line[s] == '/') {
            slash = s;
            return pos;
        }
    }
    return std::string_view::npos;
}

}  // namespace

int ClassifyLine(std::string_view trimmedLine, const std::vector<std::string>& removedNames) {
    if (trimmedLine.empty() || trimmedLine[0] == '!') return kKeptReaction;
    std::string text(trimmedLine);
    const size_t comment = text.find('!');
    if (comment != std::string::npos) text.replace(comment, std::string::npos, text.size() - comment, ' ');
    const bool reaction = text.find('=') != std::string::npos;
    bool found = false;
    for (const auto& name : removedNames) {
        if (NamesSpecies(text, name)) {
            found = true;
            break;
        }
    }
    if (reaction) return found ? kRemovedReaction : kKeptReaction;
    return found ? kAuxiliaryRemoved : kAuxiliary;
}

std::string CleanEfficiencyLine(std::string_view trimmedLine, const std::vector<SpeciesEntry>& species) {
    std::string cleaned(trimmedLine);
    for (const auto& s : species) {
        if (s.checked || s.name.empty()) continue;
        size_t slash = 0;
        const size_t start = FindEfficiencyEntry(trimmedLine, s.name, slash);
        if (start == std::string_view::npos) continue;
        const size_t closing = trimmedLine.find('/', slash + 1);
        const size_t end = closing == std::string_view::npos ? trimmedLine.size() : closing + 1;
        for (size_t i = start; i < end; ++i) cleaned[i] = ' ';
    }
    return cleaned;
}

}  // namespace vantor
