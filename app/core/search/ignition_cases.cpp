#include "app/core/search/ignition_cases.h"

#include <cmath>

#include "app/core/pipeline/ignition_summary.h"

namespace vantor::search {

bool ReadIgnitionCases(const std::vector<std::string>& lines, std::vector<IgnitionCase>& cases) {
    cases.clear();
    for (const CaseResult& result : ReadCaseResults(lines)) {
        const std::optional<double>& recorded = result.ignited ? result.delay : result.noIgnitionUntil;
        if (!recorded) return false;
        cases.push_back({*recorded, result.ignited});
    }
    return true;
}

std::optional<double> CaseDifference(const IgnitionCase& detailed, const IgnitionCase& reduced) {
    if (!detailed.ignited && !reduced.ignited) return 0.0;
    if (detailed.ignited != reduced.ignited || detailed.delay == 0.0) return std::nullopt;
    return std::abs(reduced.delay - detailed.delay) / detailed.delay * 100.0;
}

}  // namespace vantor::search
