#pragma once
// Flame speeds and extinction times of the detailed and the reduced mechanism side by side: the
// blocks CMP.dat gets after its ignition cases, and the table vantor-cli prints after the
// ignition table. A run without flame or stirred-reactor cases gets neither.

#include <optional>
#include <string>
#include <vector>

#include "app/core/mechanism/reactor_case_lines.h"

namespace vantor {

// One case of a flame or stirred-reactor data file, as its summary line gives it.
struct ReactorCaseValue {
    int number = 0;
    double pressureAtm = 0.0;
    double temperature = 0.0;  // unburned or inlet, K
    double phi = -1.0;         // -1: no meaning
    int status = 0;            // 0: the value holds
    double value = 0.0;        // flame speed (cm/s) or extinction residence time (s)
    std::string message;
};

// (reduced - detailed) / detailed in percent, when both cases hold a value and the detailed one
// is not zero.
std::optional<double> RelativeReactorDifference(const ReactorCaseValue& detailed, const ReactorCaseValue& reduced);

// The largest magnitude of the differences of the paired cases. A case that holds a value with
// one mechanism only, or a case missing on one side, counts as failed: nullopt with
// `failedCase` set to its number (1-based). Nullopt with `failedCase` 0 when there is no case.
std::optional<double> LargestReactorDifference(const std::vector<ReactorCaseValue>& detailed,
                                               const std::vector<ReactorCaseValue>& reduced, int& failedCase);

// The CMP.dat blocks of one kind, one per case: "===Flame N" or "===PSR N", the case's
// conditions, the detailed and the skeletal value and their difference, numbers in full
// precision. A case without a value shows its status and message.
std::vector<std::string> ReactorReportLines(ReactorKind kind, const std::vector<ReactorCaseValue>& detailed,
                                            const std::vector<ReactorCaseValue>& reduced);

// A header and one line per case, as the ignition table, and the line of the largest difference.
std::vector<std::string> FormatReactorTable(ReactorKind kind, const std::vector<ReactorCaseValue>& detailed,
                                            const std::vector<ReactorCaseValue>& reduced);

}  // namespace vantor
