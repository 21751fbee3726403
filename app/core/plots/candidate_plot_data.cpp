#include "app/core/plots/candidate_plot_data.h"

#include <algorithm>
#include <cmath>

namespace vantor::plots {

CandidatePlotData BuildCandidatePlot(std::vector<Candidate> candidates) {
    CandidatePlotData plot;
    // A difference that is not a number cannot be placed; its candidate is left out.
    std::erase_if(candidates, [](const Candidate& c) { return !std::isfinite(c.largestDifferencePercent); });
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.speciesKept < b.speciesKept; });
    plot.candidates = std::move(candidates);
    const auto chosen = std::find_if(plot.candidates.begin(), plot.candidates.end(), [](const Candidate& c) { return c.chosen; });
    if (chosen != plot.candidates.end()) plot.chosen = *chosen;
    if (plot.empty()) {
        plot.species = {0.0, 10.0, 6};
        plot.difference = {0.0, 10.0, 6};
        return plot;
    }
    double largest = 0.0;
    for (const Candidate& c : plot.candidates) largest = std::max(largest, std::abs(c.largestDifferencePercent));
    plot.species = RoundedLinearRange(plot.candidates.front().speciesKept, plot.candidates.back().speciesKept);
    plot.difference = RoundedLinearRange(0.0, largest > 0.0 ? largest : 1.0);
    return plot;
}

}  // namespace vantor::plots
