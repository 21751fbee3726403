#pragma once
// The candidate plot of a target-error search: for every reduced mechanism tried, the number of
// species it keeps against its largest ignition-delay difference, the chosen one marked.

#include <optional>
#include <vector>

#include "app/core/plots/axis_range.h"

namespace vantor::plots {

struct Candidate {
    int speciesKept = 0;
    double largestDifferencePercent = 0.0;  // magnitude, %
    bool chosen = false;
};

struct CandidatePlotData {
    std::vector<Candidate> candidates;  // by rising species count
    std::optional<Candidate> chosen;    // the first candidate marked chosen
    AxisRange species;
    AxisRange difference;  // from 0, or whole decades when logDifference
    // Differences spread over more than kLinearDecades decades go on a log axis, where a
    // difference of 0 stands on the axis' lowest decade.
    bool logDifference = false;
    bool empty() const { return candidates.empty(); }
};

inline constexpr double kLinearDecades = 2.0;

CandidatePlotData BuildCandidatePlot(std::vector<Candidate> candidates);

}  // namespace vantor::plots
