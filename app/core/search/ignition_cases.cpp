#include "app/core/search/ignition_cases.h"

#include <cmath>

#include "app/core/pipeline/ignition_summary.h"

namespace vantor::search {

namespace {

// SENKIN marks a case that did not ignite with a comment line before its delay line. A local
// check of that marker until the pipeline answers whether a case ignited.
bool MarksNoIgnition(const std::string& line) { return line.rfind("! no ignition", 0) == 0; }

}  // namespace

bool ReadIgnitionCases(const std::vector<std::string>& lines, std::vector<IgnitionCase>& cases) {
    cases.clear();
    const std::vector<CaseResult> results = ReadCaseResults(lines);
    std::vector<bool> ignited;
    for (const std::string& line : lines) {
        if (line.find("INI P(atm") != std::string::npos)
            ignited.push_back(true);
        else if (!ignited.empty() && MarksNoIgnition(line))
            ignited.back() = false;
    }
    for (size_t i = 0; i < results.size(); ++i) {
        if (!results[i].delay) return false;
        cases.push_back({*results[i].delay, ignited[i]});
    }
    return true;
}

std::optional<double> CaseDifference(const IgnitionCase& detailed, const IgnitionCase& reduced) {
    if (!detailed.ignited && !reduced.ignited) return 0.0;
    if (detailed.ignited != reduced.ignited || detailed.delay == 0.0) return std::nullopt;
    return std::abs(reduced.delay - detailed.delay) / detailed.delay * 100.0;
}

}  // namespace vantor::search
