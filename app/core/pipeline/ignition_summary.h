#pragma once
// The ignition results of a standard-data file, case by case, and the table that sets the
// detailed and the reduced mechanism's results side by side (vantor-cli's run summary).
//
// A case that did not ignite carries the comment line "! no ignition: ..." before its
// "DTAUi(s)=" line; that line's value is then the time its run ended at, never a delay.

#include <optional>
#include <string>
#include <vector>

namespace vantor {

inline constexpr const char* kNoIgnitionMarker = "! no ignition";

struct CaseResult {
    std::optional<double> pressureAtm;   // "INI P(atm)=" line
    std::optional<double> temperatureK;  // "INI T(K)=" line
    std::optional<double> delay;         // "DTAUi(s)=" line, s; only for a case that ignited
    std::optional<double> rise;          // "DTMAX(K)=" line, K
    bool ignited = true;                 // false: the case has a "! no ignition" line
    std::optional<double> noIgnitionUntil;  // s: for a case that did not ignite, its "DTAUi(s)=" value
};

// Whether the line is the comment of a case that did not ignite.
bool IsNoIgnitionLine(const std::string& line);

// One entry per "INI P(atm)" line, in file order.
std::vector<CaseResult> ReadCaseResults(const std::vector<std::string>& lines);

// Whether case `caseNumber` (1-based, in file order) of a standard-data file's lines ignited;
// nullopt when the file has no such case.
std::optional<bool> CaseIgnited(const std::vector<std::string>& standardData, int caseNumber);

// (reduced - detailed) / detailed in percent, when both cases ignited and the detailed delay is
// not zero.
std::optional<double> RelativeDelayDifference(const CaseResult& detailed, const CaseResult& reduced);

// The largest magnitude of RelativeDelayDifference over the paired cases.
std::optional<double> LargestDelayDifference(const std::vector<CaseResult>& detailed,
                                             const std::vector<CaseResult>& reduced);

// Case numbers (1-based) of the paired cases that ignite with one mechanism and not the other.
std::vector<int> IgnitionMismatches(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced);

// "Largest ignition-delay difference: 3.21 %"; a case that ignites with one mechanism only makes
// it a failure of the reduced mechanism instead of a number. Empty when no pair of cases ignited.
std::string LargestDifferenceLine(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced);

// A header and one line per case: case number, mixture, P, T, delays and their difference, the
// temperature rises. Cases run mixture outermost, then pressure, then temperature, so the
// mixture follows from the case number when `casesPerMixture` is above 0. A case missing on
// one side, or a value a file does not give, shows "-"; a case without ignition shows
// "no ignition" for its delay, and "fails" for the difference when the other mechanism ignites.
std::vector<std::string> FormatComparisonTable(const std::vector<CaseResult>& detailed,
                                               const std::vector<CaseResult>& reduced, int casesPerMixture);

}  // namespace vantor
