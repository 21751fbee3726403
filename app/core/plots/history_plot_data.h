#pragma once
// The history of one case against time: the temperature, the heat release rate or a species' mole
// fraction, the detailed and the reduced mechanism over each other.

#include <string>
#include <vector>

#include "app/core/plots/axis_range.h"
#include "app/core/plots/standard_data_cases.h"

namespace vantor::plots {

// What a history shows. For a mole fraction, the position of the species among the mole
// fractions each file was read with; -1 for a mechanism without the species.
struct HistoryQuantity {
    enum Kind { kTemperature, kHeatRelease, kMoleFraction };
    Kind kind = kTemperature;
    std::string species;  // the name, for a mole fraction
    int detailedColumn = 0, reducedColumn = 0;
};

struct HistoryPoint {
    double time = 0.0;   // s
    double value = 0.0;  // K, erg/(cm3 s) or mole fraction
};

struct HistoryPlotData {
    int caseNumber = 0;
    std::string title;      // "Case 3: 10 atm, 1000 K, Mixture 1", with the species for a mole fraction
    std::string valueName;  // the value axis' title
    HistoryQuantity quantity;
    std::vector<HistoryPoint> detailed, reduced;
    bool logTime = false;
    bool logValue = false;  // mole fractions, over whole decades
    AxisRange time;         // whole decades when logTime
    AxisRange value;
    std::string note;  // a side without recorded states, without ignition or without the species
    bool empty() const { return detailed.empty() && reduced.empty(); }
};

// `caseNumber` counts from 1 as the comparison report does. On a log time axis the states at
// time 0 (and below) are left out; on a mole-fraction axis so are fractions more than
// kMoleFractionDecades below the largest one, which would only stretch the axis. A case number
// beyond both files gives an empty plot.
HistoryPlotData BuildHistoryPlot(const StandardDataCases& detailed, const StandardDataCases& reduced,
                                 int caseNumber, bool logTime, const std::vector<std::string>& mixtureNames = {},
                                 const HistoryQuantity& quantity = {});

inline constexpr int kMoleFractionDecades = 12;

// "Case 3: 10 atm, 1000 K, Mixture 1": what a case list shows.
std::string CaseCaption(const StandardDataCase& c, const std::vector<std::string>& mixtureNames, int mixtures);

}  // namespace vantor::plots
