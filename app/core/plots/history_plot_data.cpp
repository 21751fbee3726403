#include "app/core/plots/history_plot_data.h"

#include <algorithm>
#include <cmath>

#include "app/core/plots/delay_plot_data.h"

namespace vantor::plots {
namespace {

const StandardDataCase* CaseAt(const StandardDataCases& data, int number) {
    if (number < 1 || number > static_cast<int>(data.cases.size())) return nullptr;
    return &data.cases[number - 1];
}

std::vector<HistoryPoint> Shown(const StandardDataCase* c, bool logTime, const HistoryQuantity& quantity, int column) {
    std::vector<HistoryPoint> points;
    if (!c || (quantity.kind == HistoryQuantity::kMoleFraction && column < 0)) return points;
    for (const RecordedState& s : c->states) {
        if (logTime && s.time <= 0.0) continue;
        switch (quantity.kind) {
            case HistoryQuantity::kTemperature: points.push_back({s.time, s.temperature}); break;
            case HistoryQuantity::kHeatRelease: points.push_back({s.time, s.heatRelease}); break;
            case HistoryQuantity::kMoleFraction:
                if (static_cast<size_t>(column) < s.moleFractions.size())
                    points.push_back({s.time, s.moleFractions[column]});
                break;
        }
    }
    return points;
}

// Zero and vanishing fractions have no place on the log axis.
void KeepLoggable(std::vector<HistoryPoint>& points, double floor) {
    std::erase_if(points, [floor](const HistoryPoint& p) { return !(p.value > floor); });
}

std::string ValueName(const HistoryQuantity& quantity) {
    switch (quantity.kind) {
        case HistoryQuantity::kHeatRelease: return "Heat release rate (erg/(cm3 s))";
        case HistoryQuantity::kMoleFraction: return quantity.species + " mole fraction";
        default: return "Temperature (K)";
    }
}

}  // namespace

std::string CaseCaption(const StandardDataCase& c, const std::vector<std::string>& mixtureNames, int mixtures) {
    const bool named = static_cast<int>(mixtureNames.size()) == mixtures && c.mixture >= 1;
    return "Case " + std::to_string(c.number) + ": " + ShortNumber(c.pressureAtm) + " atm, " +
           ShortNumber(c.temperatureK) + " K, " +
           (named ? mixtureNames[c.mixture - 1] : "Mixture " + std::to_string(c.mixture));
}

HistoryPlotData BuildHistoryPlot(const StandardDataCases& detailed, const StandardDataCases& reduced, int caseNumber,
                                 bool logTime, const std::vector<std::string>& mixtureNames,
                                 const HistoryQuantity& quantity) {
    HistoryPlotData plot;
    plot.caseNumber = caseNumber;
    plot.quantity = quantity;
    plot.valueName = ValueName(quantity);
    plot.logTime = logTime;
    plot.logValue = quantity.kind == HistoryQuantity::kMoleFraction;
    const StandardDataCase* d = CaseAt(detailed, caseNumber);
    const StandardDataCase* r = CaseAt(reduced, caseNumber);
    plot.detailed = Shown(d, logTime, quantity, quantity.detailedColumn);
    plot.reduced = Shown(r, logTime, quantity, quantity.reducedColumn);
    if (d || r) plot.title = CaseCaption(d ? *d : *r, mixtureNames, std::max(detailed.mixtures, reduced.mixtures));
    if (plot.logValue) plot.title = quantity.species + ", " + plot.title;

    std::vector<std::string> notes;
    auto noteSide = [&](const std::string& side, const StandardDataCase* c, const std::vector<HistoryPoint>& shown,
                        int column) {
        if (c && !CaseIgnited(*c)) notes.push_back(side + " did not ignite");
        if (plot.logValue && column < 0) notes.push_back(quantity.species + " is not in the " + side + " mechanism");
        else if (shown.empty()) notes.push_back("no " + side + " states");
    };
    if (plot.logValue) {
        double largest = 0.0;
        for (const auto* points : {&plot.detailed, &plot.reduced})
            for (const HistoryPoint& p : *points) largest = std::max(largest, p.value);
        const double floor = largest * std::pow(10.0, -kMoleFractionDecades);
        KeepLoggable(plot.detailed, floor);
        KeepLoggable(plot.reduced, floor);
    }
    noteSide("detailed", d, plot.detailed, quantity.detailedColumn);
    noteSide("reduced", r, plot.reduced, quantity.reducedColumn);
    for (size_t i = 0; i < notes.size(); ++i) plot.note += (i ? "; " : "") + notes[i];

    double tMin = INFINITY, tMax = -INFINITY, vMin = INFINITY, vMax = -INFINITY;
    for (const auto* points : {&plot.detailed, &plot.reduced}) {
        for (const HistoryPoint& p : *points) {
            tMin = std::min(tMin, p.time);
            tMax = std::max(tMax, p.time);
            vMin = std::min(vMin, p.value);
            vMax = std::max(vMax, p.value);
        }
    }
    if (plot.empty()) {
        plot.time = logTime ? DecadeRange(1e-6, 1.0) : AxisRange{0.0, 1.0, 6};
        plot.value = plot.logValue ? DecadeRange(1e-6, 1.0) : AxisRange{0.0, 3000.0, 7};
        return plot;
    }
    plot.time = logTime ? DecadeRange(tMin, tMax) : RoundedLinearRange(std::min(0.0, tMin), tMax);
    plot.value = plot.logValue ? DecadeRange(vMin, vMax) : RoundedLinearRange(vMin, vMax);
    return plot;
}

}  // namespace vantor::plots
