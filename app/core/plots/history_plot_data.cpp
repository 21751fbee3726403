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

std::vector<RecordedState> Shown(const StandardDataCase* c, bool logTime) {
    std::vector<RecordedState> states;
    if (!c) return states;
    for (const RecordedState& s : c->states) {
        if (!logTime || s.time > 0.0) states.push_back(s);
    }
    return states;
}

}  // namespace

std::string CaseCaption(const StandardDataCase& c, const std::vector<std::string>& mixtureNames, int mixtures) {
    const bool named = static_cast<int>(mixtureNames.size()) == mixtures && c.mixture >= 1;
    return "Case " + std::to_string(c.number) + ": " + ShortNumber(c.pressureAtm) + " atm, " +
           ShortNumber(c.temperatureK) + " K, " +
           (named ? mixtureNames[c.mixture - 1] : "Mixture " + std::to_string(c.mixture));
}

HistoryPlotData BuildHistoryPlot(const StandardDataCases& detailed, const StandardDataCases& reduced, int caseNumber,
                                 bool logTime, const std::vector<std::string>& mixtureNames) {
    HistoryPlotData plot;
    plot.caseNumber = caseNumber;
    plot.logTime = logTime;
    const StandardDataCase* d = CaseAt(detailed, caseNumber);
    const StandardDataCase* r = CaseAt(reduced, caseNumber);
    plot.detailed = Shown(d, logTime);
    plot.reduced = Shown(r, logTime);
    if (d || r) plot.title = CaseCaption(d ? *d : *r, mixtureNames, std::max(detailed.mixtures, reduced.mixtures));

    std::vector<std::string> notes;
    auto noteSide = [&notes](const std::string& side, const StandardDataCase* c, const std::vector<RecordedState>& shown) {
        if (c && !CaseIgnited(*c)) notes.push_back(side + " did not ignite");
        if (shown.empty()) notes.push_back("no " + side + " states");
    };
    noteSide("detailed", d, plot.detailed);
    noteSide("reduced", r, plot.reduced);
    for (size_t i = 0; i < notes.size(); ++i) plot.note += (i ? "; " : "") + notes[i];

    double tMin = INFINITY, tMax = -INFINITY, kMin = INFINITY, kMax = -INFINITY;
    for (const auto* states : {&plot.detailed, &plot.reduced}) {
        for (const RecordedState& s : *states) {
            tMin = std::min(tMin, s.time);
            tMax = std::max(tMax, s.time);
            kMin = std::min(kMin, s.temperature);
            kMax = std::max(kMax, s.temperature);
        }
    }
    if (plot.empty()) {
        plot.time = logTime ? DecadeRange(1e-6, 1.0) : AxisRange{0.0, 1.0, 6};
        plot.temperature = {0.0, 3000.0, 7};
        return plot;
    }
    plot.time = logTime ? DecadeRange(tMin, tMax) : RoundedLinearRange(std::min(0.0, tMin), tMax);
    plot.temperature = RoundedLinearRange(kMin, kMax);
    return plot;
}

}  // namespace vantor::plots
