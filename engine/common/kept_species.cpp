#include "engine/common/kept_species.h"

#include <algorithm>

#include "common/fixed_format.h"

namespace vantor::engine {
namespace {

constexpr size_t kNumbersPerLine = 20;

void AppendNumbers(std::string& line, std::span<const int32_t> species) {
    for (const int32_t k : species) line += FormatI(k, 5);
}

// Union of several ascending lists, ascending, through flags 1..NS.
template <typename Lists>
std::vector<int32_t> JoinAscending(const Lists& lists, size_t count, std::vector<uint8_t>& mark, int32_t NS) {
    for (size_t j = 0; j < count; ++j) {
        for (const int32_t k : lists[j]) mark[static_cast<size_t>(k)] = 1;
    }
    std::vector<int32_t> out;
    for (int32_t k = 1; k <= NS; ++k) {
        if (mark[static_cast<size_t>(k)]) out.push_back(k);
        mark[static_cast<size_t>(k)] = 0;
    }
    return out;
}

}  // namespace

const std::vector<int32_t>& KeptAtPoint::Record(int point, const std::vector<uint8_t>& kept) {
    if (points_.size() < static_cast<size_t>(point)) points_.resize(static_cast<size_t>(point));
    std::vector<int32_t>& list = points_[static_cast<size_t>(point) - 1];
    list.clear();
    for (int32_t k = 1; k <= ns_; ++k) {
        if (kept[static_cast<size_t>(k)]) list.push_back(k);
    }
    return list;
}

std::vector<int32_t> KeptAtPoint::Union(int pointCount) {
    return JoinAscending(points_, std::min(static_cast<size_t>(pointCount), points_.size()), mark_, ns_);
}

const std::vector<int32_t>& KeptInCase::Close(int caseNumber, KeptAtPoint& points, int pointCount) {
    if (cases_.size() < static_cast<size_t>(caseNumber)) cases_.resize(static_cast<size_t>(caseNumber));
    std::vector<int32_t>& row = cases_[static_cast<size_t>(caseNumber) - 1];
    const std::vector<std::vector<int32_t>> both{row, points.Union(pointCount)};
    row = JoinAscending(both, both.size(), mark_, ns_);
    return row;
}

std::vector<int32_t> KeptInCase::AllCases(int caseNumber) {
    return JoinAscending(cases_, std::min(static_cast<size_t>(caseNumber), cases_.size()), mark_, ns_);
}

std::vector<int32_t> WithAlwaysKept(std::span<const int32_t> kept, std::span<const int32_t> always, int32_t NS,
                                    std::vector<int32_t>& outside) {
    std::vector<uint8_t> mark(static_cast<size_t>(std::max(NS, 0)) + 1, 0);
    const auto inRange = [NS](int32_t k) { return k >= 1 && k <= NS; };
    for (const int32_t k : kept)
        if (inRange(k)) mark[static_cast<size_t>(k)] = 1;
    for (const int32_t k : always) {
        if (inRange(k)) mark[static_cast<size_t>(k)] = 1;
        else outside.push_back(k);
    }
    std::vector<int32_t> joined;
    for (int32_t k = 1; k <= NS; ++k)
        if (mark[static_cast<size_t>(k)]) joined.push_back(k);
    return joined;
}

std::vector<std::string> LineRecord(int point, std::span<const int32_t> species) {
    std::vector<std::string> lines;
    std::string first = "Line" + FormatI(point, 3) + "/21 [" + FormatI(static_cast<long long>(species.size()), 4) + "]:";
    AppendNumbers(first, species.first(std::min(species.size(), kNumbersPerLine)));
    lines.push_back(std::move(first));
    for (size_t from = kNumbersPerLine; from < species.size(); from += kNumbersPerLine) {
        std::string more(18, ' ');
        AppendNumbers(more, species.subspan(from, std::min(species.size() - from, kNumbersPerLine)));
        lines.push_back(std::move(more));
    }
    return lines;
}

std::string CaseRecord(int caseNumber, std::span<const int32_t> species) {
    std::string line = "Case" + FormatI(caseNumber, 4) + FormatI(static_cast<long long>(species.size()), 5) + ":";
    AppendNumbers(line, species);
    return line;
}

std::string AllcasesRecord(std::span<const int32_t> species) {
    std::string line = "Allcases" + FormatI(static_cast<long long>(species.size()), 5) + ":";
    AppendNumbers(line, species);
    return line;
}

}  // namespace vantor::engine
