#include "app/core/plots/delay_plot_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vantor::plots {
namespace {

constexpr size_t kNamedCases = 8;

std::optional<double> IgnitionDelay(const StandardDataCase* c) {
    if (!c || !CaseIgnited(*c)) return std::nullopt;
    return c->delay;
}

std::string SeriesLabel(int mixture, double pressureAtm, const std::vector<std::string>& names, int mixtures) {
    const bool named = static_cast<int>(names.size()) == mixtures && mixture >= 1;
    const std::string what = named ? names[mixture - 1] : "Mixture " + std::to_string(mixture);
    return what + ", " + ShortNumber(pressureAtm) + " atm";
}

}  // namespace

bool DelayPlotData::empty() const {
    return std::all_of(series.begin(), series.end(), [](const DelaySeries& s) { return s.points.empty(); });
}

std::string ShortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string LeftOutNote(const std::string& reason, const std::vector<std::string>& cases) {
    if (cases.empty()) return {};
    std::string note = reason + ", left out: case" + (cases.size() > 1 ? "s" : "");
    const size_t named = cases.size() > kNamedCases ? kNamedCases - 1 : cases.size();
    for (size_t i = 0; i < named; ++i) note += (i ? ", " : " ") + cases[i];
    if (named < cases.size()) note += " and " + std::to_string(cases.size() - named) + " more";
    return note;
}

DelayPlotData BuildDelayPlot(const StandardDataCases& detailed, const StandardDataCases& reduced,
                             const std::vector<std::string>& mixtureNames) {
    DelayPlotData plot;
    std::vector<std::string> leftOut;
    double inverseMin = INFINITY, inverseMax = -INFINITY, delayMin = INFINITY, delayMax = -INFINITY;
    const size_t count = std::max(detailed.cases.size(), reduced.cases.size());
    for (size_t i = 0; i < count; ++i) {
        const StandardDataCase* d = i < detailed.cases.size() ? &detailed.cases[i] : nullptr;
        const StandardDataCase* r = i < reduced.cases.size() ? &reduced.cases[i] : nullptr;
        const StandardDataCase& conditions = d ? *d : *r;
        DelayPoint point;
        point.caseNumber = static_cast<int>(i) + 1;
        point.temperatureK = conditions.temperatureK;
        point.detailed = IgnitionDelay(d);
        point.reduced = IgnitionDelay(r);
        if (point.temperatureK <= 0.0) point.detailed = point.reduced = std::nullopt;
        if (!point.detailed || !point.reduced) {
            plot.notIgnited.push_back(point.caseNumber);
            const char* side = point.detailed ? " (reduced)" : point.reduced ? " (detailed)" : "";
            leftOut.push_back(std::to_string(point.caseNumber) + side);
        }
        if (!point.detailed && !point.reduced) continue;
        point.inverseTemperature = 1000.0 / point.temperatureK;
        if (point.detailed && point.reduced)
            point.differencePercent = (*point.reduced - *point.detailed) / *point.detailed * 100.0;

        auto series = std::find_if(plot.series.begin(), plot.series.end(), [&](const DelaySeries& s) {
            return s.mixture == conditions.mixture && s.pressureAtm == conditions.pressureAtm;
        });
        if (series == plot.series.end()) {
            const int mixtures = std::max(detailed.mixtures, reduced.mixtures);
            plot.series.push_back({conditions.mixture, conditions.pressureAtm,
                                   SeriesLabel(conditions.mixture, conditions.pressureAtm, mixtureNames, mixtures), {}});
            series = plot.series.end() - 1;
        }
        series->points.push_back(point);
        inverseMin = std::min(inverseMin, point.inverseTemperature);
        inverseMax = std::max(inverseMax, point.inverseTemperature);
        for (const auto& delay : {point.detailed, point.reduced}) {
            if (!delay) continue;
            delayMin = std::min(delayMin, *delay);
            delayMax = std::max(delayMax, *delay);
        }
    }
    for (DelaySeries& s : plot.series) {
        std::stable_sort(s.points.begin(), s.points.end(), [](const DelayPoint& a, const DelayPoint& b) {
            return a.inverseTemperature < b.inverseTemperature;
        });
    }
    if (plot.empty()) {
        plot.inverseTemperature = {0.5, 1.5, 3};
        plot.delay = DecadeRange(1e-6, 1.0);
    } else {
        // A margin keeps the outermost markers off the plot's edge.
        const double margin = std::max(0.03 * (inverseMax - inverseMin), 0.005 * inverseMax);
        plot.inverseTemperature = RoundedLinearRange(inverseMin - margin, inverseMax + margin);
        plot.delay = DecadeRange(delayMin, delayMax);
    }
    if (plot.inverseTemperature.min > 0.0)
        plot.temperatureTicks = RoundTemperatures(plot.inverseTemperature.min, plot.inverseTemperature.max);
    plot.note = LeftOutNote("No ignition", leftOut);
    return plot;
}

const DelayPoint* NearestDelayPoint(const DelayPlotData& plot, double inverseTemperature, double delay) {
    const double width = plot.inverseTemperature.max - plot.inverseTemperature.min;
    const double height = std::log10(plot.delay.max) - std::log10(plot.delay.min);
    const DelayPoint* nearest = nullptr;
    double best = INFINITY;
    const double y = std::log10(std::max(delay, plot.delay.min * 1e-3));
    for (const DelaySeries& s : plot.series) {
        for (const DelayPoint& p : s.points) {
            for (const auto& side : {p.detailed, p.reduced}) {
                if (!side) continue;
                const double dx = (p.inverseTemperature - inverseTemperature) / width;
                const double dy = (std::log10(*side) - y) / height;
                if (dx * dx + dy * dy < best) {
                    best = dx * dx + dy * dy;
                    nearest = &p;
                }
            }
        }
    }
    return nearest;
}

std::string PairedPointText(const std::string& heading, std::optional<double> detailed, std::optional<double> reduced,
                            std::optional<double> differencePercent, const char* format, const char* missing) {
    std::string text = heading;
    char line[48];
    for (const auto& [name, value] : {std::pair{"detailed", detailed}, {"reduced", reduced}}) {
        if (value) std::snprintf(line, sizeof line, format, *value);
        text += std::string("\n") + name + ": " + (value ? line : missing);
    }
    if (differencePercent) {
        std::snprintf(line, sizeof line, "\ndifference: %+.2f %%", *differencePercent);
        text += line;
    }
    return text;
}

std::string DelayPointText(const DelayPoint& point) {
    return PairedPointText("Case " + std::to_string(point.caseNumber) + ", " + ShortNumber(point.temperatureK) + " K",
                           point.detailed, point.reduced, point.differencePercent, "%.4e s", "no ignition");
}

}  // namespace vantor::plots
