#pragma once
// A loaded mechanism against the reference values of tests/data/reference (reference_data.h):
// rates of progress and species thermodynamics at every state of a reference file.

#include <set>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "chemlib/reference_data.h"

namespace vantor::chem::testing {

// 1-based numbers of the reactions whose rate the reference takes from a pressure table (PLOG).
std::set<int> PressureTableReactions(const std::string& path);

// At each state, with the composition X_k = (1 + k mod 7) / S of the reference files: forward and
// reverse rates of progress, enthalpies, S/R - H/RT and cp/R agree to `tolerance` (relative).
// The library evaluates pressure tables with the single-precision 4.18 J calorie and takes a table
// pressure within 2 % as exact: the reactions in `pressureTables` (which must be the ones the
// library holds a table for), forward and reverse (unless explicit), agree within what those two
// allow at each state (pressure_table_allowance.h) plus `tolerance`.
// States (1-based) in `refusedStates` are ones where a rate constant of the mechanism exceeds the
// library's limit (1e30): there the library must refuse with its message, and only the
// thermodynamics are compared. The worst deviation of each kind is printed under `name`.
void ExpectMatchesReference(Mechanism& m, const std::vector<StateReference>& states, double tolerance,
                            const std::set<int>& pressureTables = {}, const std::set<int>& refusedStates = {},
                            const std::string& name = "");

}  // namespace vantor::chem::testing
