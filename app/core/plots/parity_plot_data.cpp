#include "app/core/plots/parity_plot_data.h"

#include <algorithm>
#include <cmath>

namespace vantor::plots {

ParityPlotData BuildParityPlot(const DelayPlotData& delays) {
    ParityPlotData plot;
    plot.note = delays.note;
    double low = INFINITY, high = -INFINITY;
    for (const DelaySeries& s : delays.series) {
        ParitySeries series{s.label, {}};
        for (const DelayPoint& p : s.points) {
            if (!p.detailed || !p.reduced) continue;
            series.points.push_back({p.caseNumber, *p.detailed, *p.reduced});
            low = std::min({low, *p.detailed, *p.reduced});
            high = std::max({high, *p.detailed, *p.reduced});
        }
        if (!series.points.empty()) plot.series.push_back(std::move(series));
    }
    plot.delay = plot.empty() ? DecadeRange(1e-6, 1.0) : DecadeRange(low, high);
    return plot;
}

}  // namespace vantor::plots
