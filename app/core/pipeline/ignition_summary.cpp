#include "app/core/pipeline/ignition_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/core/pipeline/number_text.h"

namespace vantor {

namespace {

// The first number after the "=" of a "NAME= value" line.
std::optional<double> ValueAfterEquals(const std::string& line) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const std::string rest = TrimBlanksAndTabs(line.substr(eq + 1));
    return ParseCLocaleNumber(rest.substr(0, rest.find_first_of(" \t")));
}

std::string Cell(const std::optional<double>& value, const char* format, int width) {
    char buffer[64];
    if (value) {
        std::snprintf(buffer, sizeof buffer, format, width, *value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%*s", width, "-");
    }
    return buffer;
}

std::string TextCell(const char* text, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*s", width, text);
    return buffer;
}

std::string DelayCell(const CaseResult& c, int width) {
    return c.ignited ? Cell(c.delay, "%*.6E", width) : TextCell("no ignition", width);
}

// Both sides of a pair exist and exactly one ignited.
bool Mismatch(const CaseResult& detailed, const CaseResult& reduced) { return detailed.ignited != reduced.ignited; }

}  // namespace

bool IsNoIgnitionLine(const std::string& line) {
    const size_t start = line.find_first_not_of(" \t");
    return start != std::string::npos && line.compare(start, std::strlen(kNoIgnitionMarker), kNoIgnitionMarker) == 0;
}

std::vector<CaseResult> ReadCaseResults(const std::vector<std::string>& lines) {
    std::vector<CaseResult> cases;
    for (const std::string& line : lines) {
        if (line.find("INI P(atm") != std::string::npos) {
            cases.push_back({ValueAfterEquals(line), std::nullopt, std::nullopt, std::nullopt, true, std::nullopt});
        } else if (cases.empty()) {
            continue;
        } else if (IsNoIgnitionLine(line)) {
            cases.back().ignited = false;
        } else if (line.find("INI T(K)") != std::string::npos) {
            cases.back().temperatureK = ValueAfterEquals(line);
        } else if (line.find("DTAUi(s)") != std::string::npos) {
            (cases.back().ignited ? cases.back().delay : cases.back().noIgnitionUntil) = ValueAfterEquals(line);
        } else if (line.find("DTMAX(K)") != std::string::npos) {
            cases.back().rise = ValueAfterEquals(line);
        }
    }
    return cases;
}

std::optional<bool> CaseIgnited(const std::vector<std::string>& standardData, int caseNumber) {
    const auto cases = ReadCaseResults(standardData);
    if (caseNumber < 1 || static_cast<size_t>(caseNumber) > cases.size()) return std::nullopt;
    return cases[static_cast<size_t>(caseNumber) - 1].ignited;
}

std::optional<double> RelativeDelayDifference(const CaseResult& detailed, const CaseResult& reduced) {
    if (!detailed.ignited || !reduced.ignited) return std::nullopt;
    if (!detailed.delay || !reduced.delay || *detailed.delay == 0.0) return std::nullopt;
    return (*reduced.delay - *detailed.delay) / *detailed.delay * 100.0;
}

std::optional<double> LargestDelayDifference(const std::vector<CaseResult>& detailed,
                                             const std::vector<CaseResult>& reduced) {
    std::optional<double> largest;
    for (size_t i = 0; i < std::min(detailed.size(), reduced.size()); ++i) {
        const auto difference = RelativeDelayDifference(detailed[i], reduced[i]);
        if (difference && (!largest || std::abs(*difference) > *largest)) largest = std::abs(*difference);
    }
    return largest;
}

std::vector<int> IgnitionMismatches(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced) {
    std::vector<int> cases;
    for (size_t i = 0; i < std::min(detailed.size(), reduced.size()); ++i) {
        if (Mismatch(detailed[i], reduced[i])) cases.push_back(static_cast<int>(i) + 1);
    }
    return cases;
}

std::string LargestDifferenceLine(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced) {
    const std::string title = "Largest ignition-delay difference: ";
    const auto mismatches = IgnitionMismatches(detailed, reduced);
    if (!mismatches.empty()) {
        std::string line = title + "the reduced mechanism fails: case";
        line += mismatches.size() > 1 ? "s" : "";
        for (size_t i = 0; i < mismatches.size(); ++i) line += (i ? ", " : " ") + std::to_string(mismatches[i]);
        return line + (mismatches.size() > 1 ? " ignite" : " ignites") + " with one mechanism only";
    }
    const auto largest = LargestDelayDifference(detailed, reduced);
    if (!largest) return "";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", *largest);
    return title + text + " %";
}

std::vector<std::string> FormatComparisonTable(const std::vector<CaseResult>& detailed,
                                               const std::vector<CaseResult>& reduced, int casesPerMixture) {
    std::vector<std::string> table{
        " Case  Mix     P(atm)       T(K)  Delay detailed(s)   Delay reduced(s)   Diff(%)  Rise detailed(K)"
        "  Rise reduced(K)"};
    const size_t count = std::max(detailed.size(), reduced.size());
    for (size_t i = 0; i < count; ++i) {
        const CaseResult none;
        const CaseResult& d = i < detailed.size() ? detailed[i] : none;
        const CaseResult& r = i < reduced.size() ? reduced[i] : none;
        const auto& side = i < detailed.size() ? d : r;
        const bool paired = i < detailed.size() && i < reduced.size();
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "%5zu", i + 1);
        std::string line = prefix;
        line += casesPerMixture > 0 ? Cell(static_cast<double>(i / casesPerMixture + 1), "%*.0f", 5)
                                    : Cell(std::nullopt, "", 5);
        line += Cell(side.pressureAtm, "%*.4f", 11) + Cell(side.temperatureK, "%*.2f", 11);
        line += DelayCell(d, 19) + DelayCell(r, 19);
        line += paired && Mismatch(d, r) ? TextCell("fails", 10) : Cell(RelativeDelayDifference(d, r), "%*.2f", 10);
        line += Cell(d.rise, "%*.2f", 18) + Cell(r.rise, "%*.2f", 17);
        table.push_back(line);
    }
    return table;
}

}  // namespace vantor
