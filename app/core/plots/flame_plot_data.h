#pragma once
// The flame-speed plot: the laminar flame speed against the equivalence ratio, one series per
// pressure and unburned temperature, the detailed mechanism as a line and the reduced one as
// markers, from the flame data files of a run.

#include <optional>
#include <string>
#include <vector>

#include "app/core/pipeline/reactor_comparison.h"
#include "app/core/plots/axis_range.h"

namespace vantor::plots {

struct FlamePoint {
    int caseNumber = 0;
    double phi = 0.0;
    std::optional<double> detailed;  // cm/s; only for a case that gave a flame speed
    std::optional<double> reduced;
    std::optional<double> differencePercent;  // (reduced - detailed) / detailed
};

struct FlameSeries {
    double pressureAtm = 0.0;
    double temperature = 0.0;        // unburned, K
    std::string label;               // "1 atm, 300 K"
    std::vector<FlamePoint> points;  // by rising equivalence ratio
};

struct FlamePlotData {
    std::vector<FlameSeries> series;
    AxisRange phi;
    AxisRange speed;
    bool hasReduced = false;   // the reduced mechanism's flames were read
    std::vector<int> leftOut;  // cases without a flame speed on at least one side
    std::string note;          // names those cases; empty when every case gave one
    bool empty() const;        // no point to draw
};

// Pairs the cases of both files by position. An empty `reduced` stands for a run whose reduced
// flames are not there (yet): the plot then holds the detailed line only and no case counts as
// left out for want of a reduced value.
FlamePlotData BuildFlamePlot(const std::vector<ReactorCaseValue>& detailed, const std::vector<ReactorCaseValue>& reduced);

// The flame data files of a work folder: FLAME.dat and, when there, New_FLAME.dat.
struct FlameRunValues {
    bool present = false;  // FLAME.dat is there
    std::string error;     // a file that is there but does not read, with its line
    std::vector<ReactorCaseValue> detailed, reduced;
};
FlameRunValues ReadFlameRun(const std::string& workDirectory);

// The point nearest to (phi, speed), measured on the plot's axes; nullptr for an empty plot.
const FlamePoint* NearestFlamePoint(const FlamePlotData& plot, double phi, double speed);

// "Case 2, phi 1" and both flame speeds with their difference, one per line: a point's tooltip.
std::string FlamePointText(const FlamePoint& point);

}  // namespace vantor::plots
