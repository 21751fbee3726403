#pragma once
// The ignition-delay plot: delay against 1000/T on a log axis, one series per mixture and
// pressure, the detailed mechanism as a line and the reduced one as markers.

#include <optional>
#include <string>
#include <vector>

#include "app/core/plots/axis_range.h"
#include "app/core/plots/standard_data_cases.h"

namespace vantor::plots {

struct DelayPoint {
    int caseNumber = 0;
    double temperatureK = 0.0;
    double inverseTemperature = 0.0;  // 1000/T, 1/K
    std::optional<double> detailed;   // s; only for a case that ignited
    std::optional<double> reduced;
    std::optional<double> differencePercent;  // (reduced - detailed) / detailed
};

struct DelaySeries {
    int mixture = 0;
    double pressureAtm = 0.0;
    std::string label;               // "Mixture 1, 10 atm" or the mixture's own text
    std::vector<DelayPoint> points;  // by rising 1000/T
};

struct DelayPlotData {
    std::vector<DelaySeries> series;
    AxisRange inverseTemperature;
    AxisRange delay;                    // whole decades
    std::vector<double> temperatureTicks;  // K, for the axis that names temperatures
    std::vector<int> notIgnited;        // cases left out on at least one side
    std::string note;                   // names those cases; empty when every case ignited
    bool empty() const;                 // no point to draw
};

// Pairs the cases of both files by position. `mixtureNames`, when it holds one text per mixture,
// names the series (the project's mixture lines); otherwise they are numbered.
DelayPlotData BuildDelayPlot(const StandardDataCases& detailed, const StandardDataCases& reduced,
                             const std::vector<std::string>& mixtureNames = {});

// The point nearest to (1000/T, delay), measured on the plot's axes (the delay on its log
// scale); nullptr for an empty plot.
const DelayPoint* NearestDelayPoint(const DelayPlotData& plot, double inverseTemperature, double delay);

// "Case 3, 1000 K" and both delays with their difference, one per line: a point's tooltip.
std::string DelayPointText(const DelayPoint& point);

// "1", "2.5", "0.1": a pressure or temperature as a short label.
std::string ShortNumber(double value);

// "No ignition, left out: cases 2, 5 (reduced)" from `reason` and the cases' texts: a legend
// entry, so beyond a few cases it gives the count of the rest; empty without a case.
std::string LeftOutNote(const std::string& reason, const std::vector<std::string>& cases);

// A point's tooltip: `heading`, then each mechanism's value as the printf `format` of one double
// writes it (or `missing`) and their difference, one per line.
std::string PairedPointText(const std::string& heading, std::optional<double> detailed, std::optional<double> reduced,
                            std::optional<double> differencePercent, const char* format, const char* missing);

}  // namespace vantor::plots
