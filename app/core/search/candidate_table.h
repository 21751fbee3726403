#pragma once
// The table of every candidate a target search tried, shown by the programs and written as
// "NEW_Candidates.dat" beside the reduced mechanism.
//
// File format (text, CR LF line ends). Lines beginning with "#" are comments: a title, the
// target and method, the column names, and at the end "# chosen: N" (or "# chosen: none").
// Every other line is one candidate, fields separated by blanks:
//   1 no          candidate number, from 1 in the order tried
//   2 kind        THD (an engine run at a threshold) or RM (species removed from the best)
//   3 value       THD: the threshold as typed in the parameter grid, 4 decimals; RM: the name,
//                 for a group the first one's and "+N" for the N others
//   4 species     species kept
//   5 reactions   reactions kept
//   6 largest     largest relative ignition-delay difference over the cases run, percent,
//                 4 decimals; "inf" when a case ignited in one mechanism and not the other
//   7 worst       1-based number of the case with that difference (0: none)
//   8 cases       cases run / cases, e.g. 2/6 (fewer when the runs stopped at a case outside)
//   9 wall        wall time of the candidate in seconds, 3 decimals
//  10 result      within, outside, or same:N (the species of candidate N: not run again)

#include <optional>
#include <string>
#include <vector>

#include "common/engine_method.h"

namespace vantor::search {

inline constexpr const char* kCandidateTableFileName = "NEW_Candidates.dat";

enum class CandidateResult { Within, Outside, Same };

struct CandidateRow {
    int number = 0;
    bool removal = false;
    double threshold = 0.0;      // grid threshold (of the engine run the row's species come from)
    std::string removedSpecies;  // RM rows
    int species = 0;
    int reactions = 0;
    std::optional<double> largest;  // percent; empty: an ignition in only one mechanism
    int worstCase = 0;
    int casesRun = 0;
    int caseCount = 0;
    double wallSeconds = 0.0;
    CandidateResult result = CandidateResult::Outside;
    int sameAs = 0;
};

// "inf" or the percent with `decimals` decimals.
std::string FormatDifference(const std::optional<double>& largest, int decimals);

// The column heading and one line per row, aligned.
std::vector<std::string> FormatCandidateTable(const std::vector<CandidateRow>& rows);

// The file's text: comment lines, the rows, the chosen row's number (0: none).
std::string CandidateTableText(const std::vector<CandidateRow>& rows, double targetPercent, EngineMethod method, int chosen);

}  // namespace vantor::search
