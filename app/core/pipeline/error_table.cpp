// The comparison's error table: rows per case, then the summaries per pressure and per mixture.

#include "app/core/pipeline/error_table.h"

#include <cmath>
#include <map>
#include <optional>

#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/job_record_fill.h"
#include "common/atomic_file.h"
#include "common/fixed_format.h"

namespace vantor {

namespace {

// A CSV field: quoted when it holds a comma, a quote or a line end (mixture lines hold commas).
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string Number(const std::optional<double>& value) { return value ? FormatFull(*value) : std::string(); }

std::string Delay(const CaseResult& c) { return c.ignited ? Number(c.delay) : std::string("no ignition"); }

// The |difference| of a group's cases; a mismatch spoils the group.
struct Group {
    double worst = 0.0, sum = 0.0;
    int count = 0;
    bool fails = false;

    void Add(const std::optional<double>& difference, bool mismatch) {
        fails = fails || mismatch;
        if (!difference) return;
        worst = std::max(worst, std::fabs(*difference));
        sum += std::fabs(*difference);
        ++count;
    }
    std::vector<std::string> Row(const std::string& kind, const std::string& value) const {
        const std::string worstText = fails ? "fails" : count ? FormatFull(worst) : "";
        const std::string meanText = fails ? "fails" : count ? FormatFull(sum / count) : "";
        return {kind, value, worstText, meanText};
    }
};

void AppendCsvRow(std::string& text, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) text += ',';
        text += Field(cells[i]);
    }
    text += "\n";
}

}  // namespace

ErrorTable BuildErrorTable(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced,
                           const std::vector<std::string>& mixtureLines, int casesPerMixture) {
    ErrorTable table;
    table.caseHeader = {"case", "mixture", "P atm", "T K", "detailed delay s", "reduced delay s", "difference %"};
    table.groupHeader = {"group", "value", "worst |difference| %", "mean |difference| %"};
    std::map<double, Group> byPressure;
    std::vector<Group> byMixture(mixtureLines.size());
    const size_t count = std::min(detailed.size(), reduced.size());
    for (size_t i = 0; i < count; ++i) {
        const CaseResult& d = detailed[i];
        const CaseResult& r = reduced[i];
        const size_t mixture = casesPerMixture > 0 ? i / static_cast<size_t>(casesPerMixture) : mixtureLines.size();
        const bool mismatch = d.ignited != r.ignited;
        const std::optional<double> difference = RelativeDelayDifference(d, r);
        table.cases.push_back({std::to_string(i + 1), mixture < mixtureLines.size() ? mixtureLines[mixture] : "",
                               Number(d.pressureAtm), Number(d.temperatureK), Delay(d), Delay(r),
                               mismatch ? std::string("fails") : Number(difference)});
        if (d.pressureAtm) byPressure[*d.pressureAtm].Add(difference, mismatch);
        if (mixture < byMixture.size()) byMixture[mixture].Add(difference, mismatch);
    }
    for (const auto& [pressure, group] : byPressure) table.groups.push_back(group.Row("P atm", FormatFull(pressure)));
    for (size_t m = 0; m < byMixture.size(); ++m) table.groups.push_back(byMixture[m].Row("mixture", mixtureLines[m]));
    return table;
}

std::string ErrorTableCsv(const ErrorTable& table) {
    std::string text;
    AppendCsvRow(text, table.caseHeader);
    for (const auto& row : table.cases) AppendCsvRow(text, row);
    text += "\n";
    AppendCsvRow(text, table.groupHeader);
    for (const auto& row : table.groups) AppendCsvRow(text, row);
    return text;
}

std::string ErrorTableText(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced,
                           const std::vector<std::string>& mixtureLines, int casesPerMixture) {
    return ErrorTableCsv(BuildErrorTable(detailed, reduced, mixtureLines, casesPerMixture));
}

bool ReadErrorTable(const std::string& workDirectory, const std::vector<std::string>& mixtureLines,
                    int casesPerMixture, ErrorTable& table, std::string* error) {
    std::vector<std::string> detailed, reduced;
    for (const auto& [name, lines] : {std::pair{"SAVE.dat", &detailed}, std::pair{"New_SAVE.dat", &reduced}}) {
        if (!ReadTextLines(JoinPath(workDirectory, name), *lines)) {
            if (error) *error = "cannot read " + JoinPath(workDirectory, name);
            return false;
        }
    }
    table = BuildErrorTable(ReadCaseResults(detailed), ReadCaseResults(reduced), mixtureLines, casesPerMixture);
    return true;
}

bool WriteErrorTable(const std::string& workDirectory, const std::vector<std::string>& mixtureLines,
                     int casesPerMixture, std::string* error) {
    ErrorTable table;
    return ReadErrorTable(workDirectory, mixtureLines, casesPerMixture, table, error) &&
           WriteFileAtomically(JoinPath(workDirectory, kErrorTableFileName), ErrorTableCsv(table), error);
}

}  // namespace vantor
