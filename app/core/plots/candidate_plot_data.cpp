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
    double largest = 0.0, smallest = INFINITY;
    for (const Candidate& c : plot.candidates) {
        const double difference = std::abs(c.largestDifferencePercent);
        largest = std::max(largest, difference);
        if (difference > 0.0) smallest = std::min(smallest, difference);
    }
    // Margins keep the outermost markers off the plot's edges.
    const double fewest = plot.candidates.front().speciesKept, most = plot.candidates.back().speciesKept;
    const double margin = std::max(1.0, 0.04 * (most - fewest));
    plot.species = RoundedLinearRange(fewest - margin, most + margin);
    plot.logDifference = largest > 0.0 && std::log10(largest / smallest) > kLinearDecades;
    plot.difference = plot.logDifference ? DecadeRange(smallest, largest)
                                         : RoundedLinearRange(0.0, largest > 0.0 ? largest * 1.05 : 1.0);
    return plot;
}

}  // namespace vantor::plots
