#pragma once
// The candidates of the last target search, read back from the table it leaves in the work
// folder ("NEW_Candidates.dat", format in app/core/search/candidate_table.h) for the candidate
// plot of the comparison viewer and of vantor-cli run --plot.

#include <string>
#include <vector>

#include "app/core/plots/candidate_plot_data.h"

namespace vantor::plots {

// The candidates of the table's text: one per candidate line that was run ("same:N" lines are
// the species of an earlier one), "inf" as an infinite difference, the "# chosen: N" one marked.
// A line that is not a candidate line is skipped.
std::vector<Candidate> ParseCandidateTable(const std::string& text);

// The candidates of `workDirectory`'s table when its reduced mechanism is the search's result
// (its header names the table); empty otherwise, so a later integrated run's mechanism is not
// shown with an earlier search's candidates.
std::vector<Candidate> ReadSearchCandidates(const std::string& workDirectory);

}  // namespace vantor::plots
