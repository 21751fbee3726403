#include "app/core/history/run_summary.h"

#include <charconv>
#include <vector>

namespace vantor::history {

std::string ShortestNumber(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

namespace {

std::string Counts(int kept, int all) {
    return kept < 0 ? std::string() : std::to_string(kept) + "/" + (all < 0 ? "" : std::to_string(all));
}

// "33/53" into its two numbers; -1 for a part that is not a number.
void ReadCounts(const std::string& text, int& kept, int& all) {
    const auto slash = text.find('/');
    const auto number = [](const std::string& part) {
        int value = -1;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        return ec == std::errc() && end == part.data() + part.size() ? value : -1;
    };
    kept = number(text.substr(0, slash));
    all = slash == std::string::npos ? -1 : number(text.substr(slash + 1));
}

// Tabs and line ends would break the line into fields or lines: they become blanks.
std::string Clean(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

std::string FormatRunSummary(const RunSummary& s) {
    std::vector<std::pair<const char*, std::string>> fields{
        {"when", s.when},
        {"kind", s.kind},
        {"method", s.method},
        {"threshold", s.threshold},
        {"species", Counts(s.keptSpecies, s.detailedSpecies)},
        {"reactions", Counts(s.keptReactions, s.detailedReactions)},
        {"largest%", s.largestPercent ? ShortestNumber(*s.largestPercent) : std::string()},
        {"note", s.comparisonNote},
        {"keep", s.alwaysKept},
        {"target%", s.target}};
    std::string line;
    for (const auto& [key, value] : fields) {
        if (value.empty()) continue;
        line += (line.empty() ? "" : "\t") + std::string(key) + "=" + Clean(value);
    }
    return line;
}

std::optional<RunSummary> ParseRunSummary(const std::string& line) {
    RunSummary s;
    bool hasKind = false;
    size_t from = 0;
    while (from <= line.size()) {
        size_t to = line.find('\t', from);
        if (to == std::string::npos) to = line.size();
        const std::string field = line.substr(from, to - from);
        from = to + 1;
        const auto eq = field.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = field.substr(0, eq), value = field.substr(eq + 1);
        if (key == "when") s.when = value;
        else if (key == "kind") s.kind = value, hasKind = true;
        else if (key == "method") s.method = value;
        else if (key == "threshold") s.threshold = value;
        else if (key == "species") ReadCounts(value, s.keptSpecies, s.detailedSpecies);
        else if (key == "reactions") ReadCounts(value, s.keptReactions, s.detailedReactions);
        else if (key == "largest%") {
            double v = 0.0;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
            if (ec == std::errc() && end == value.data() + value.size()) s.largestPercent = v;
        } else if (key == "note") s.comparisonNote = value;
        else if (key == "keep") s.alwaysKept = value;
        else if (key == "target%") s.target = value;
    }
    if (!hasKind) return std::nullopt;
    return s;
}

}  // namespace vantor::history
