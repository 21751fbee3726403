#pragma once
// The one-line summary of a kept run ("summary.txt" in its folder): what ran, on which method
// and threshold, what it kept and how far its ignition delays are from the detailed ones.
// Fields are "key=value" separated by tabs, so a value may hold blanks and the line reads well
// in a terminal; a key a later version adds is skipped by an earlier reader.

#include <optional>
#include <string>

namespace vantor::history {

inline constexpr const char* kSummaryFileName = "summary.txt";

struct RunSummary {
    std::string when;       // "YYYY-MM-DD HH:NN:SS"
    std::string kind;       // "integrated run", "reduced test", "target search"
    std::string method;     // "PFA", "ECF", ...
    std::string threshold;  // the grid's threshold as typed (the search: the chosen candidate's)
    int keptSpecies = -1, detailedSpecies = -1;  // -1: not known
    int keptReactions = -1, detailedReactions = -1;
    std::optional<double> largestPercent;  // largest |delay difference|, when the run compared
    std::string comparisonNote;            // why there is no number ("a case ignites in one mechanism only")
    std::string alwaysKept;                // the always-kept species' names
    std::string target;                    // the search's target, percent, as typed
};

// The line, without a line end. Numbers with every digit they need to read back exactly.
std::string FormatRunSummary(const RunSummary& summary);

// The shortest text that reads back as `value` ("0.98", "3.2100000000000004").
std::string ShortestNumber(double value);

// nullopt when the line holds no "kind=" field.
std::optional<RunSummary> ParseRunSummary(const std::string& line);

}  // namespace vantor::history
