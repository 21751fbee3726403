#include "app/core/pipeline/ignition_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

}  // namespace

std::vector<CaseResult> ReadCaseResults(const std::vector<std::string>& lines) {
    std::vector<CaseResult> cases;
    for (const std::string& line : lines) {
        if (line.find("INI P(atm") != std::string::npos) {
            cases.push_back({ValueAfterEquals(line), std::nullopt, std::nullopt, std::nullopt});
        } else if (cases.empty()) {
            continue;
        } else if (line.find("INI T(K)") != std::string::npos) {
            cases.back().temperatureK = ValueAfterEquals(line);
        } else if (line.find("DTAUi(s)") != std::string::npos) {
            cases.back().delay = ValueAfterEquals(line);
        } else if (line.find("DTMAX(K)") != std::string::npos) {
            cases.back().rise = ValueAfterEquals(line);
        }
    }
    return cases;
}

std::optional<double> RelativeDelayDifference(const CaseResult& detailed, const CaseResult& reduced) {
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
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "%5zu", i + 1);
        std::string line = prefix;
        line += casesPerMixture > 0 ? Cell(static_cast<double>(i / casesPerMixture + 1), "%*.0f", 5)
                                    : Cell(std::nullopt, "", 5);
        line += Cell(side.pressureAtm, "%*.4f", 11) + Cell(side.temperatureK, "%*.2f", 11);
        line += Cell(d.delay, "%*.6E", 19) + Cell(r.delay, "%*.6E", 19);
        line += Cell(RelativeDelayDifference(d, r), "%*.2f", 10);
        line += Cell(d.rise, "%*.2f", 18) + Cell(r.rise, "%*.2f", 17);
        table.push_back(line);
    }
    return table;
}

}  // namespace vantor
