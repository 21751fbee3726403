#pragma once
// The optional flame and stirred-reactor lines of a project, after its mixture lines:
//   Flame=1 300 0.8 1.0 1.2     pressure (atm), unburned temperature (K), equivalence ratios
//   PSR=1 300 1.0               pressure (atm), inlet temperature (K), equivalence ratios
// Each equivalence ratio is applied to the project's first mixture (its fuel scaled, its oxidizer
// kept). A project holds at most one line of each kind. The values are kept as typed, so a project
// is written back exactly as it was read.

#include <optional>
#include <string>
#include <vector>

namespace vantor {

enum class ReactorKind { kFlame, kStirredReactor };

struct ReactorCaseLine {
    ReactorKind kind = ReactorKind::kFlame;
    std::string text;            // after the key, blanks trimmed
    double pressureAtm = 0.0;
    double temperature = 0.0;    // K
    std::vector<double> phis;    // equivalence ratios, in order
};

// "Flame=" or "PSR=".
const char* ReactorCaseKey(ReactorKind kind);

// The line's values, or nullopt with the reason naming the value at fault in `error`.
std::optional<ReactorCaseLine> ParseReactorCaseLine(ReactorKind kind, const std::string& text, std::string& error);

// The case lines of one kind, in order.
std::vector<ReactorCaseLine> CaseLinesOf(const std::vector<ReactorCaseLine>& lines, ReactorKind kind);

}  // namespace vantor
