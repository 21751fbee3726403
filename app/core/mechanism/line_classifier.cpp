// Line classification and efficiency clean-up of the reduced writer's reaction section.

#include <algorithm>
#include <string>

#include "app/core/mechanism/reduced_writer.h"
#include "app/core/mechanism/removed_name_set.h"

namespace vantor {

namespace {

bool IsDelimiter(char c) {
    return c == ' ' || c == '(' || c == ')' || c == '+' || c == '/' || c == '<' || c == '=' || c == '>';
}

bool IsCoefficientChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// Whether a species token may begin at `pos`, behind a numeric coefficient or not. Parentheses
// delimit a name only as a fall-off partner "(+M)": a name right after "(" or ")" is part of a
// longer name (the S of CH2(S)), and a name right before "(" must open "(+" (EndsToken), so CH2
// is not found in CH2(S) while CH3 is found in CH3(+M).
bool BeginsToken(std::string_view line, size_t pos) {
    size_t start = pos;
    while (start > 0 && IsCoefficientChar(line[start - 1])) --start;
    if (start == 0) return true;
    const char before = line[start - 1];
    return IsDelimiter(before) && before != '(' && before != ')';
}

// Whether a token may end before `after`: at the end of the line, or at a delimiter, where "("
// must open a fall-off partner "(+".
bool EndsToken(std::string_view line, size_t after) {
    if (after == line.size()) return true;
    if (!IsDelimiter(line[after])) return false;
    return line[after] != '(' || (after + 1 < line.size() && line[after + 1] == '+');
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

RemovedNameSet::RemovedNameSet(const std::vector<std::string>& names) : names_(names) {
    set_.reserve(names_.size());
    for (const std::string& name : names_) {
        if (name.empty()) continue;
        set_.insert(name);
        firsts_.set(static_cast<unsigned char>(name[0]));
        longest_ = std::max(longest_, name.size());
    }
}

bool RemovedNameSet::NamedIn(std::string_view line) const {
    // Most positions of a line (the rate parameters' digits) begin no removed name at all.
    for (size_t pos = 0; pos < line.size(); ++pos) {
        if (!firsts_.test(static_cast<unsigned char>(line[pos])) || !BeginsToken(line, pos)) continue;
        const size_t last = std::min(line.size(), pos + longest_);
        for (size_t end = pos + 1; end <= last; ++end)
            if (EndsToken(line, end) && set_.count(line.substr(pos, end - pos))) return true;
    }
    return false;
}

int ClassifyLine(std::string_view trimmedLine, const std::vector<std::string>& removedNames) {
    return ClassifyLine(trimmedLine, RemovedNameSet(removedNames));
}

int ClassifyLine(std::string_view trimmedLine, const RemovedNameSet& removedNames) {
    if (trimmedLine.empty() || trimmedLine[0] == '!') return kKeptReaction;
    std::string text(trimmedLine);
    const size_t comment = text.find('!');
    if (comment != std::string::npos) text.replace(comment, std::string::npos, text.size() - comment, ' ');
    const bool reaction = text.find('=') != std::string::npos;
    const bool found = removedNames.NamedIn(text);
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
