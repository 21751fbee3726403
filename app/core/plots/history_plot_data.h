#pragma once
// The temperature history of one case: temperature against time, the detailed and the reduced
// mechanism over each other.

#include <string>
#include <vector>

#include "app/core/plots/axis_range.h"
#include "app/core/plots/standard_data_cases.h"

namespace vantor::plots {

struct HistoryPlotData {
    int caseNumber = 0;
    std::string title;  // "Case 3: 10 atm, 1000 K, Mixture 1"
    std::vector<RecordedState> detailed, reduced;
    bool logTime = false;
    AxisRange time;  // whole decades when logTime
    AxisRange temperature;
    std::string note;  // a side without recorded states or without ignition
    bool empty() const { return detailed.empty() && reduced.empty(); }
};

// `caseNumber` counts from 1 as the comparison report does. On a log time axis the states at
// time 0 (and below) are left out. A case number beyond both files gives an empty plot.
HistoryPlotData BuildHistoryPlot(const StandardDataCases& detailed, const StandardDataCases& reduced,
                                 int caseNumber, bool logTime, const std::vector<std::string>& mixtureNames = {});

// "Case 3: 10 atm, 1000 K, Mixture 1": what a case list shows.
std::string CaseCaption(const StandardDataCase& c, const std::vector<std::string>& mixtureNames, int mixtures);

}  // namespace vantor::plots
