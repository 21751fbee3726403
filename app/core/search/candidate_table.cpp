#include "app/core/search/candidate_table.h"

#include <cstdio>

namespace vantor::search {

namespace {

std::string Printf(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string ResultText(const CandidateRow& row) {
    switch (row.result) {
        case CandidateResult::Within:
            return "within";
        case CandidateResult::Same:
            return "same:" + std::to_string(row.sameAs);
        default:
            return "outside";
    }
}

}  // namespace

std::string FormatDifference(const std::optional<double>& largest, int decimals) {
    return largest ? Printf("%.*f", decimals, *largest) : "inf";
}

std::vector<std::string> FormatCandidateTable(const std::vector<CandidateRow>& rows) {
    std::vector<std::string> lines{Printf("%4s %-4s %-16s %7s %9s %12s %5s %7s %9s  %s", "no", "kind", "value",
                                          "species", "reactions", "largest(%)", "worst", "cases", "wall(s)", "result")};
    for (const CandidateRow& r : rows) {
        const std::string value = r.removal ? r.removedSpecies : Printf("%.4f", r.threshold);
        const std::string cases = std::to_string(r.casesRun) + "/" + std::to_string(r.caseCount);
        lines.push_back(Printf("%4d %-4s %-16s %7d %9d %12s %5d %7s %9.3f  %s", r.number, r.removal ? "RM" : "THD",
                               value.c_str(), r.species, r.reactions, FormatDifference(r.largest, 4).c_str(),
                               r.worstCase, cases.c_str(), r.wallSeconds, ResultText(r).c_str()));
    }
    return lines;
}

std::string CandidateTableText(const std::vector<CandidateRow>& rows, double targetPercent, EngineMethod method, int chosen) {
    std::string text = "# Vantor target search: candidates tried\r\n";
    text += Printf("# target: %.4f %%  method: %s\r\n", targetPercent, MethodName(method));
    const std::vector<std::string> lines = FormatCandidateTable(rows);
    text.append("#").append(lines.front(), 1).append("\r\n");
    for (size_t i = 1; i < lines.size(); ++i) text.append(lines[i]).append("\r\n");
    text.append("# chosen: ").append(chosen > 0 ? std::to_string(chosen) : "none").append("\r\n");
    return text;
}

}  // namespace vantor::search
