#include "app/core/pipeline/always_kept.h"

#include <algorithm>

#include "app/core/mechanism/text_format.h"

namespace vantor {

namespace {

int32_t FindSpecies(const std::string& name, const std::vector<std::string>& speciesNames) {
    const auto exact = std::find(speciesNames.begin(), speciesNames.end(), name);
    if (exact != speciesNames.end()) return static_cast<int32_t>(exact - speciesNames.begin()) + 1;
    const std::string upper = ToUpperAscii(name);
    int32_t found = 0;
    for (size_t i = 0; i < speciesNames.size(); ++i) {
        if (ToUpperAscii(speciesNames[i]) != upper) continue;
        if (found != 0) return 0;  // "no" and "No" both there: which one was meant is not known
        found = static_cast<int32_t>(i) + 1;
    }
    return found;
}

}  // namespace

bool ResolveAlwaysKept(const std::vector<std::string>& wanted, const std::vector<std::string>& speciesNames,
                       std::vector<int16_t>& numbers, MessageSink& sink, size_t limit) {
    numbers.clear();
    if (wanted.size() > limit) {
        ReportError(sink, "<E> At most " + std::to_string(limit) + " species can be always kept; " +
                              std::to_string(wanted.size()) + " are named.");
        return false;
    }
    std::vector<std::string> unknown;
    for (const std::string& name : wanted) {
        const int32_t k = FindSpecies(name, speciesNames);
        if (k == 0) unknown.push_back(name);
        else if (std::find(numbers.begin(), numbers.end(), k) == numbers.end()) numbers.push_back(static_cast<int16_t>(k));
    }
    if (!unknown.empty())
        sink.AddLine("> Species to keep not in the mechanism, left out: " + JoinSpeciesNames(unknown));
    return true;
}

}  // namespace vantor
