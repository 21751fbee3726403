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

// The table's cells: numbers with every digit, and the words below where no number fits.
struct ErrorTable {
    std::vector<std::string> caseHeader;  // case, mixture, P, T, both delays, difference
    std::vector<std::vector<std::string>> cases;
    std::vector<std::string> groupHeader;  // group, value, worst and mean |difference|
    std::vector<std::vector<std::string>> groups;  // per pressure, then per mixture
};

// Cases run mixture outermost, so case i has mixture i / casesPerMixture. A case that did not
// ignite shows "no ignition" for its delay; a case that ignites with one mechanism only shows
// "fails" for its difference, and makes its groups' worst and mean "fails" too, since no number
// would describe them.
ErrorTable BuildErrorTable(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced,
                           const std::vector<std::string>& mixtureLines, int casesPerMixture);

// The table as CSV (LF line ends): the case rows, an empty line, the group rows.
std::string ErrorTableCsv(const ErrorTable& table);

// ErrorTableCsv of BuildErrorTable.
std::string ErrorTableText(const std::vector<CaseResult>& detailed, const std::vector<CaseResult>& reduced,
                           const std::vector<std::string>& mixtureLines, int casesPerMixture);

// The table of SAVE.dat and New_SAVE.dat of `workDirectory`; false, with the file in `error`,
// when one cannot be read.
bool ReadErrorTable(const std::string& workDirectory, const std::vector<std::string>& mixtureLines,
                    int casesPerMixture, ErrorTable& table, std::string* error);

// Reads SAVE.dat and New_SAVE.dat of `workDirectory` and writes CMP_errors.csv there atomically.
// False, with the file and the reason in `error`, when an input cannot be read or the table
// cannot be written.
bool WriteErrorTable(const std::string& workDirectory, const std::vector<std::string>& mixtureLines,
                     int casesPerMixture, std::string* error);

}  // namespace vantor
