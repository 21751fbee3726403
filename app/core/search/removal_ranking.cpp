#include "app/core/search/removal_ranking.h"

#include <algorithm>
#include <fstream>

#include "app/core/mechanism/text_format.h"

namespace vantor::search {

namespace {

constexpr size_t kContinuationIndent = 18;

// The species numbers after the record's ":" (or the whole continuation line).
void CountNumbers(const std::string& text, int32_t speciesCount, std::vector<SpeciesUse>& use, bool state) {
    for (const std::string& token : SplitAtBlanks(text)) {
        const auto k = ParseInt32(token);
        if (!k || *k < 1 || *k > speciesCount) continue;
        SpeciesUse& u = use[static_cast<size_t>(*k - 1)];
        ++(state ? u.states : u.cases);
    }
}

}  // namespace

bool ReadSpeciesUse(const std::string& listingPath, int32_t speciesCount, std::vector<SpeciesUse>& use) {
    std::ifstream in(listingPath, std::ios::binary);
    if (!in) return false;
    use.assign(static_cast<size_t>(speciesCount), SpeciesUse{});
    bool inLineRecord = false, sawLine = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t colon = line.find(':');
        if (line.rfind("Line", 0) == 0 && colon != std::string::npos) {
            CountNumbers(line.substr(colon + 1), speciesCount, use, true);
            inLineRecord = sawLine = true;
        } else if (inLineRecord && line.size() > kContinuationIndent &&
                   line.find_first_not_of(' ') >= kContinuationIndent) {
            CountNumbers(line, speciesCount, use, true);
        } else {
            inLineRecord = false;
            if (line.rfind("Case", 0) == 0 && colon != std::string::npos)
                CountNumbers(line.substr(colon + 1), speciesCount, use, false);
        }
    }
    return sawLine;
}

std::vector<int32_t> RankForRemoval(const std::vector<SpeciesUse>& use, const KeepMarks& kept, const KeepMarks& fixed) {
    std::vector<int32_t> ranked;
    for (size_t k = 0; k < kept.size() && k < use.size(); ++k)
        if (kept[k] && !(k < fixed.size() && fixed[k])) ranked.push_back(static_cast<int32_t>(k));
    std::stable_sort(ranked.begin(), ranked.end(), [&use](int32_t a, int32_t b) {
        const SpeciesUse& ua = use[static_cast<size_t>(a)];
        const SpeciesUse& ub = use[static_cast<size_t>(b)];
        if (ua.states != ub.states) return ua.states < ub.states;
        if (ua.cases != ub.cases) return ua.cases < ub.cases;
        return a > b;
    });
    return ranked;
}

}  // namespace vantor::search
