#pragma once
// What the comparison takes from a run's flame and stirred-reactor data files: the case values of
// the detailed and the reduced mechanism, the CMP.dat blocks and the tables of every kind of case
// the project has.

#include <string>
#include <vector>

#include "app/core/mechanism/reactor_case_lines.h"
#include "app/core/pipeline/reactor_comparison.h"

namespace vantor::reactors {

// The cases of one data file; false with the file and line at fault in `error`.
bool ReadReactorValues(const std::string& path, ReactorKind kind, std::vector<ReactorCaseValue>& values,
                       std::string& error);

struct ReactorComparison {
    bool ok = true;
    std::string error;                    // the "<E> " line when a data file does not read
    std::vector<std::string> reportLines;  // after CMP.dat's ignition cases
    std::vector<std::string> tableLines;   // after the ignition table, a blank line before each kind
    // The values of each kind read, in the order of `cases`.
    std::vector<std::pair<ReactorKind, std::vector<ReactorCaseValue>>> detailed, reduced;
};

// Reads the detailed data file of each kind in `cases` from `workDirectory` and the reduced one
// from `reducedDirectory` (empty: the work directory too).
ReactorComparison CompareReactorCases(const std::string& workDirectory, const std::vector<ReactorCaseLine>& cases,
                                      const std::string& reducedDirectory = "");

}  // namespace vantor::reactors
