#pragma once
// The comparison as a table for spreadsheets: "CMP_errors.csv" beside CMP.dat, one row per case
// (mixture, P, T, both delays, their difference) and then the worst and the mean |difference|
// per pressure and per mixture. Every number is written with all its digits.

#include <string>
#include <vector>

#include "app/core/pipeline/ignition_summary.h"
#include "app/core/pipeline/result_set.h"

namespace vantor {

inline constexpr const char* kErrorTableFileName = kComparisonTableFileName;

// The table's text (LF line ends). Cases run mixture outermost, so case i has mixture
// i / casesPerMixture. A case that did not ignite shows "no ignition" for its delay; a case that
// ignites with one mechanism only shows "fails" for its difference, and makes its groups' worst
// and mean "fails" too, since no number would describe them.
std::string ErrorTableText(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced,
                           const std::vector<std::string>& mixtureLines, int casesPerMixture);

// Reads SAVE.dat and New_SAVE.dat of `workDirectory` and writes CMP_errors.csv there atomically.
// False, with the file and the reason in `error`, when an input cannot be read or the table
// cannot be written.
bool WriteErrorTable(const std::string& workDirectory, const std::vector<std::string>& mixtureLines,
                     int casesPerMixture, std::string* error);

}  // namespace vantor
