#include "app/core/pipeline/run_settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

#include "app/core/pipeline/always_kept.h"

namespace vantor {

namespace {

const char* const kPressureMessage = "<E> Data for Pressure is  illegal.";
const char* const kTemperatureMessage = "<E> Data for Temperature is  illegal.";
const char* const kThresholdMessage = "<E> Data for threshold is illigal.";
const char* const kHeatRatioMessage = "<E> Data for HRR ratio is illigal.";
const char* const kEndTimeMessage = "<E> Data for end time is illigal.";
const char* const kPointsMessage = "<E> Data for points number is illigal.";
const char* const kMaxTimeMessage = "<E> Data for max. time is illigal.";
const char* const kTimeStepMessage = "<E> Data for Time Step is illigal.";
const char* const kMixtureMessage = "<E> Data for mixture is illigal.";

std::optional<double> ParseNumber(const LocaleNumbers& numbers, std::string_view text) {
    return numbers.parse ? numbers.parse(text) : ParseCLocaleNumber(text);
}

const std::string& ValueCell(const ParameterGrid& grid, int row) { return grid[row][kValueColumn]; }

// The row's parameter name without the "* " that marks the rows a run needs.
std::string RowName(const ParameterGrid& grid, int row) {
    std::string name = TrimBlanksAndTabs(grid[row][0]);
    if (name.rfind("* ", 0) == 0) name.erase(0, 2);
    return "row " + std::to_string(row) + " \"" + name + "\"";
}

void ReportEmptyList(const ParameterGrid& grid, int row, MessageSink& sink) {
    sink.AddLine("> The parameter " + RowName(grid, row) + " holds no value: type 1 to " +
                 std::to_string(kMaxListValues) + " values in " + TrimBlanksAndTabs(grid[row][kUnitColumn]) +
                 ", separated by commas.");
}

bool SameIgnoringCase(const std::string& a, const char* b) {
    const std::string_view other(b);
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// A mixture needs O2 as oxidizer and a fuel: any species that is neither O2 nor one of the
// diluents and products below.
bool IsOxidizer(const std::string& name) { return SameIgnoringCase(name, "O2"); }
bool IsFuel(const std::string& name) {
    for (const char* other : {"O2", "N2", "AR", "HE", "CO2", "H2O"})
        if (SameIgnoringCase(name, other)) return false;
    return true;
}

}  // namespace

std::vector<std::string> CommaTokens(const std::string& text) {
    std::vector<std::string> tokens;
    size_t start = 0;
    const std::string withEnd = text + ",";
    for (size_t comma = withEnd.find(','); comma != std::string::npos; comma = withEnd.find(',', start)) {
        if (comma > start) tokens.push_back(withEnd.substr(start, comma - start));
        start = comma + 1;
    }
    return tokens;
}

int32_t MarkedSpeciesIndex(const SettingsInput& input, const std::string& name) {
    int32_t marked = 0;
    for (size_t i = 0; i < input.speciesNames.size(); ++i) {
        if (i >= input.speciesMarks.size() || !input.speciesMarks[i]) continue;
        ++marked;
        if (input.speciesNames[i] == name) return marked;
    }
    return 0;
}

int32_t TWState::GetReactDat(const SettingsInput& input, EngineMethod method, const LocaleNumbers& numbers,
                             MessageSink& sink) {
    if (const int32_t code = ReadMixtures(input, numbers, sink)) return code;
    std::vector<int16_t> kept;
    if (!ResolveAlwaysKept(input.alwaysKept, input.speciesNames, kept, sink, kMaxListValues)) return kBadAlwaysKept;
    AlwaysKept.fill(0);
    AlwaysKept[0] = static_cast<int16_t>(kept.size());
    std::copy(kept.begin(), kept.end(), AlwaysKept.begin() + 1);
    if (ReadPressures(ValueCell(input.grid, kRowPressure), numbers, sink)) return kBadPressure;
    if (ReadTemperatures(ValueCell(input.grid, kRowTemperature), numbers, sink)) return kBadTemperature;
    if (const int32_t code = ReadScalars(input.grid, method, numbers, sink)) return code;
    n_WState = n_Mixs * n_Ps * n_Ts;
    // An empty pressure or temperature cell leaves no case; the caller reports the error, this
    // line names the row.
    if (n_WState > 0) return kSettingsOk;
    ReportEmptyList(input.grid, n_Ps == 0 ? kRowPressure : kRowTemperature, sink);
    return kBadPressure;
}

int32_t TWState::ReadMixtures(const SettingsInput& input, const LocaleNumbers& numbers, MessageSink& sink) {
    n_Mixs = 0;
    int32_t taken = 0;
    for (const std::string& line : input.mixtureLines) {
        const std::string trimmed = TrimBlanksAndTabs(line);
        if (trimmed.empty() || taken == kMaxListValues) {
            ReportError(sink, kMixtureMessage);
            return kBadMixture;
        }
        ++taken;
        ++n_Mixs;
        if (const int32_t code = ParseMixtureLine(trimmed, taken, input, numbers, sink)) {
            ReportError(sink, kMixtureMessage);
            return code;
        }
    }
    if (taken == 0) {
        ReportError(sink, kMixtureMessage);
        return kBadMixture;
    }
    n_Mixs = taken;
    return kSettingsOk;
}

int32_t TWState::ParseMixtureLine(const std::string& line, int32_t lineNumber, const SettingsInput& input,
                                  const LocaleNumbers& numbers, MessageSink& sink) {
    if (line.size() < 2) return kBadMixture;
    const std::string where = "mixture line " + std::to_string(lineNumber) + " \"" + line + "\"";
    bool unknownSpecies = false;
    bool fuel = false;
    bool oxidizer = false;
    const int m = n_Mixs;
    std::fill(Indxs[m].begin() + 1, Indxs[m].end(), int16_t{0});
    std::fill(Xmols[m].begin() + 1, Xmols[m].end(), 0.0);
    int count = 0;
    for (const std::string& token : CommaTokens(line)) {
        const std::string entry = TrimBlanksAndTabs(token);
        const size_t blank = entry.find(' ');
        const std::string name = blank == std::string::npos ? std::string() : entry.substr(0, blank);
        const std::string amount = blank == std::string::npos ? entry : entry.substr(blank + 1);
        if (amount.empty()) continue;
        const int32_t index = MarkedSpeciesIndex(input, name);
        if (index == 0) {
            // An unmarked species is left out silently (the reduced test's trimmed species); a name
            // the mechanism does not have is most likely a typo and is named.
            if (name.empty()) {
                sink.AddLine("> \"" + entry + "\" of " + where + " is not a species name and an amount: it is left out.");
                unknownSpecies = true;
            } else if (std::find(input.speciesNames.begin(), input.speciesNames.end(), name) == input.speciesNames.end()) {
                sink.AddLine("> Species \"" + name + "\" of " + where + " is not in the mechanism: it is left out.");
                unknownSpecies = true;
            }
            continue;
        }
        fuel = fuel || IsFuel(name);
        oxidizer = oxidizer || IsOxidizer(name);
        if (count == kMaxListValues || index > std::numeric_limits<int16_t>::max()) return kBadMixture;
        ++count;
        Indxs[m][count] = static_cast<int16_t>(index);
        const auto value = ParseNumber(numbers, amount);
        if (!value) return kBadMixture;
        Xmols[m][count] = *value;
    }
    if (count == 0) return kBadMixture;
    // Without the unknown species the line would run as a different mixture; one that is left
    // without a fuel or without O2 is refused.
    if (unknownSpecies && (!fuel || !oxidizer)) {
        sink.AddLine("> " + where + " holds no " + (fuel ? "oxidizer (O2)" : "fuel") + " of the mechanism.");
        return kBadMixture;
    }
    // Amounts the ignition runs cannot normalise (1e308 + 1e308) are refused before any run.
    double total = 0.0;
    for (int k = 1; k <= count; ++k) total += Xmols[m][k];
    if (!std::isfinite(total)) return kBadMixture;
    Indxs[m][0] = static_cast<int16_t>(count);
    return kSettingsOk;
}

int32_t TWState::ReadPressures(const std::string& cell, const LocaleNumbers& numbers, MessageSink& sink) {
    n_Ps = 0;
    for (const std::string& token : CommaTokens(TrimBlanksAndTabs(cell))) {
        // A token counts before it is parsed; the first illegal one ends the list.
        const auto value = n_Ps < kMaxListValues ? ParseNumber(numbers, token) : std::nullopt;
        if (n_Ps < kMaxListValues) ++n_Ps;
        if (!value) {
            ReportError(sink, kPressureMessage);
            return kBadPressure;
        }
        Ps[n_Ps] = *value;
    }
    return kSettingsOk;
}

int32_t TWState::ReadTemperatures(const std::string& cell, const LocaleNumbers& numbers, MessageSink& sink) {
    n_Ts = 0;
    int32_t code = kSettingsOk;
    for (const std::string& token : CommaTokens(TrimBlanksAndTabs(cell))) {
        if (n_Ts == kMaxListValues) {
            ReportError(sink, kTemperatureMessage);
            return kBadTemperature;
        }
        ++n_Ts;
        // Every illegal token is reported; the list goes on to its end.
        if (const auto value = ParseNumber(numbers, token)) {
            Ts[n_Ts] = *value;
        } else {
            ReportError(sink, kTemperatureMessage);
            code = kBadTemperature;
        }
    }
    return code;
}

int32_t TWState::ReadScalars(const ParameterGrid& grid, EngineMethod method, const LocaleNumbers& numbers,
                             MessageSink& sink) {
    const auto fail = [&](const char* message, int32_t code) {
        ReportError(sink, message);
        return code;
    };
    const auto threshold = ParseNumber(numbers, ValueCell(grid, kRowThreshold));
    if (!threshold) return fail(kThresholdMessage, kBadThreshold);
    v_THD = std::clamp(*threshold, 0.0, 1.0);
    if (v_THD != *threshold)
        sink.AddLine("> The parameter " + RowName(grid, kRowThreshold) + " is " +
                     TrimBlanksAndTabs(ValueCell(grid, kRowThreshold)) + ", outside 0 - 1.0: it is used as " +
                     (v_THD == 0.0 ? "0." : "1."));
    v_THD = EngineThreshold(method, v_THD);

    const auto heatKept = ParseNumber(numbers, ValueCell(grid, kRowHeatKeptRatio));
    if (!heatKept) return fail(kHeatRatioMessage, kBadHeatKeptRatio);
    v_HKEEP = *heatKept;

    const auto endTime = ParseNumber(numbers, ValueCell(grid, kRowEndTime));
    if (!endTime) return fail(kEndTimeMessage, kBadEndTime);
    v_Tend = *endTime;
    const std::string unit = TrimBlanksAndTabs(grid[kRowEndTime][kUnitColumn]);
    n_Tendm = unit == "tmax" ? 0 : unit == "sec" ? 1 : 2;

    // The record-point count is 16 bits wide; a value outside that range is refused.
    const auto points = ParseDecimalInteger(ValueCell(grid, kRowRecordPoints));
    if (!points || *points < std::numeric_limits<int16_t>::min() || *points > std::numeric_limits<int16_t>::max())
        return fail(kPointsMessage, kBadRecordPoints);
    n_PNT = static_cast<int16_t>(*points);

    const auto maxTime = ParseNumber(numbers, ValueCell(grid, kRowMaxTime));
    if (!maxTime) return fail(kMaxTimeMessage, kBadMaxTime);
    V_MaxT = *maxTime;

    const auto timeStep = ParseNumber(numbers, ValueCell(grid, kRowTimeStep));
    if (!timeStep) return fail(kTimeStepMessage, kBadTimeStep);
    v_STP = *timeStep;
    return kSettingsOk;
}

}  // namespace vantor
