#pragma once
// The ignition results of a standard-data file, case by case, and the table that sets the
// detailed and the reduced mechanism's results side by side (vantor-cli's run summary).

#include <optional>
#include <string>
#include <vector>

namespace vantor {

struct CaseResult {
    std::optional<double> pressureAtm;   // "INI P(atm)=" line
    std::optional<double> temperatureK;  // "INI T(K)=" line
    std::optional<double> delay;         // "DTAUi(s)=" line, s
    std::optional<double> rise;          // "DTMAX(K)=" line, K
};

// One entry per "INI P(atm)" line, in file order.
std::vector<CaseResult> ReadCaseResults(const std::vector<std::string>& lines);

// (reduced - detailed) / detailed in percent, when both delays are known and the detailed one
// is not zero.
std::optional<double> RelativeDelayDifference(const CaseResult& detailed, const CaseResult& reduced);

// The largest magnitude of RelativeDelayDifference over the paired cases.
std::optional<double> LargestDelayDifference(const std::vector<CaseResult>& detailed,
                                             const std::vector<CaseResult>& reduced);

// A header and one line per case: case number, mixture, P, T, delays and their difference, the
// temperature rises. Cases run mixture outermost, then pressure, then temperature, so the
// mixture follows from the case number when `casesPerMixture` is above 0. A case missing on
// one side, or a value a file does not give, shows "-".
std::vector<std::string> FormatComparisonTable(const std::vector<CaseResult>& detailed,
                                               const std::vector<CaseResult>& reduced, int casesPerMixture);

}  // namespace vantor
