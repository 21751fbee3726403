#pragma once
// The parity plot: the reduced mechanism's ignition delay against the detailed one's, both on
// the same log axis, so a perfect reduction lies on the line y = x.

#include <string>
#include <vector>

#include "app/core/plots/axis_range.h"
#include "app/core/plots/delay_plot_data.h"

namespace vantor::plots {

struct ParityPoint {
    int caseNumber = 0;
    double detailed = 0.0;  // s
    double reduced = 0.0;   // s
};

struct ParitySeries {
    std::string label;  // as the delay plot's series
    std::vector<ParityPoint> points;
};

struct ParityPlotData {
    std::vector<ParitySeries> series;  // those with a case that ignited on both sides
    AxisRange delay;                   // whole decades, for both axes
    std::string note;                  // the delay plot's note on cases left out
    bool empty() const { return series.empty(); }
};

// The cases of the delay plot that ignited with both mechanisms.
ParityPlotData BuildParityPlot(const DelayPlotData& delays);

}  // namespace vantor::plots
