#include "app/core/mechanism/reactor_case_lines.h"

#include <algorithm>
#include <cmath>

#include "app/core/mechanism/text_format.h"

namespace vantor {

const char* ReactorCaseKey(ReactorKind kind) { return kind == ReactorKind::kFlame ? "Flame=" : "PSR="; }

std::optional<ReactorCaseLine> ParseReactorCaseLine(ReactorKind kind, const std::string& text, std::string& error) {
    ReactorCaseLine line;
    line.kind = kind;
    line.text = TrimBlanks(text);
    const std::string key = ReactorCaseKey(kind);
    const std::vector<std::string> words = SplitAtBlanks(line.text);
    if (words.size() < 3) {
        error = key + " needs a pressure (atm), a temperature (K) and at least one equivalence ratio, not '" +
                line.text + "'";
        return std::nullopt;
    }
    static const char* const kWhat[] = {"pressure", "temperature", "equivalence ratio"};
    for (size_t i = 0; i < words.size(); ++i) {
        const std::optional<double> value = ParseNumberC(words[i]);
        const char* what = kWhat[std::min<size_t>(i, 2)];
        if (!value || !std::isfinite(*value) || *value <= 0.0) {
            error = key + " " + what + " '" + words[i] + "' is not a positive number";
            return std::nullopt;
        }
        if (i == 0) line.pressureAtm = *value;
        else if (i == 1) line.temperature = *value;
        else line.phis.push_back(*value);
    }
    return line;
}

std::vector<ReactorCaseLine> CaseLinesOf(const std::vector<ReactorCaseLine>& lines, ReactorKind kind) {
    std::vector<ReactorCaseLine> of;
    for (const ReactorCaseLine& line : lines)
        if (line.kind == kind) of.push_back(line);
    return of;
}

}  // namespace vantor
