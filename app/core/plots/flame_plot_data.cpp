#include "app/core/plots/flame_plot_data.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/core/plots/delay_plot_data.h"
#include "app/core/reactors/reactor_results.h"
#include "app/core/reactors/reactor_runs.h"

namespace vantor::plots {
namespace {

std::optional<double> FlameSpeed(const ReactorCaseValue* c) {
    if (!c || c->status != 0 || !std::isfinite(c->value) || c->value <= 0.0) return std::nullopt;
    return c->value;
}

}  // namespace

bool FlamePlotData::empty() const {
    return std::all_of(series.begin(), series.end(), [](const FlameSeries& s) { return s.points.empty(); });
}

FlamePlotData BuildFlamePlot(const std::vector<ReactorCaseValue>& detailed, const std::vector<ReactorCaseValue>& reduced) {
    FlamePlotData plot;
    plot.hasReduced = !reduced.empty();
    std::vector<std::string> leftOut;
    double phiMin = INFINITY, phiMax = -INFINITY, speedMin = INFINITY, speedMax = -INFINITY;
    const size_t count = std::max(detailed.size(), reduced.size());
    for (size_t i = 0; i < count; ++i) {
        const ReactorCaseValue* d = i < detailed.size() ? &detailed[i] : nullptr;
        const ReactorCaseValue* r = i < reduced.size() ? &reduced[i] : nullptr;
        const ReactorCaseValue& conditions = d ? *d : *r;
        FlamePoint point;
        point.caseNumber = static_cast<int>(i) + 1;
        point.phi = conditions.phi;
        point.detailed = FlameSpeed(d);
        point.reduced = FlameSpeed(r);
        if (!point.detailed || (plot.hasReduced && !point.reduced)) {
            plot.leftOut.push_back(point.caseNumber);
            const bool oneSide = plot.hasReduced && (point.detailed || point.reduced);
            const char* side = !oneSide ? "" : point.detailed ? " (reduced)" : " (detailed)";
            leftOut.push_back(std::to_string(point.caseNumber) + side);
        }
        if (!point.detailed && !point.reduced) continue;
        if (point.detailed && point.reduced)
            point.differencePercent = (*point.reduced - *point.detailed) / *point.detailed * 100.0;

        auto series = std::find_if(plot.series.begin(), plot.series.end(), [&](const FlameSeries& s) {
            return s.pressureAtm == conditions.pressureAtm && s.temperature == conditions.temperature;
        });
        if (series == plot.series.end()) {
            plot.series.push_back({conditions.pressureAtm, conditions.temperature,
                                   ShortNumber(conditions.pressureAtm) + " atm, " + ShortNumber(conditions.temperature) + " K",
                                   {}});
            series = plot.series.end() - 1;
        }
        series->points.push_back(point);
        phiMin = std::min(phiMin, point.phi);
        phiMax = std::max(phiMax, point.phi);
        for (const auto& speed : {point.detailed, point.reduced}) {
            if (!speed) continue;
            speedMin = std::min(speedMin, *speed);
            speedMax = std::max(speedMax, *speed);
        }
    }
    for (FlameSeries& s : plot.series) {
        std::stable_sort(s.points.begin(), s.points.end(),
                         [](const FlamePoint& a, const FlamePoint& b) { return a.phi < b.phi; });
    }
    if (plot.empty()) {
        plot.phi = {0.5, 1.5, 3};
        plot.speed = {0.0, 50.0, 6};
    } else {
        // Margins keep the outermost markers off the plot's edges.
        const double phiMargin = std::max(0.05 * (phiMax - phiMin), 0.02 * std::abs(phiMax));
        const double speedMargin = std::max(0.05 * (speedMax - speedMin), 0.02 * speedMax);
        plot.phi = RoundedLinearRange(phiMin - phiMargin, phiMax + phiMargin);
        plot.speed = RoundedLinearRange(std::max(0.0, speedMin - speedMargin), speedMax + speedMargin);
    }
    plot.note = LeftOutNote("No flame speed", leftOut);
    return plot;
}

FlameRunValues ReadFlameRun(const std::string& workDirectory) {
    FlameRunValues run;
    const std::string detailed = reactors::ReactorDataFile(workDirectory, ReactorKind::kFlame, false);
    const std::string reduced = reactors::ReactorDataFile(workDirectory, ReactorKind::kFlame, true);
    std::error_code failed;
    run.present = std::filesystem::is_regular_file(detailed, failed);
    if (!run.present) return run;
    if (!reactors::ReadReactorValues(detailed, ReactorKind::kFlame, run.detailed, run.error)) return run;
    if (std::filesystem::is_regular_file(reduced, failed))
        reactors::ReadReactorValues(reduced, ReactorKind::kFlame, run.reduced, run.error);
    return run;
}

const FlamePoint* NearestFlamePoint(const FlamePlotData& plot, double phi, double speed) {
    const double width = plot.phi.max - plot.phi.min;
    const double height = plot.speed.max - plot.speed.min;
    const FlamePoint* nearest = nullptr;
    double best = INFINITY;
    for (const FlameSeries& s : plot.series) {
        for (const FlamePoint& p : s.points) {
            for (const auto& side : {p.detailed, p.reduced}) {
                if (!side) continue;
                const double dx = (p.phi - phi) / width;
                const double dy = (*side - speed) / height;
                if (dx * dx + dy * dy < best) {
                    best = dx * dx + dy * dy;
                    nearest = &p;
                }
            }
        }
    }
    return nearest;
}

std::string FlamePointText(const FlamePoint& point) {
    return PairedPointText("Case " + std::to_string(point.caseNumber) + ", phi " + ShortNumber(point.phi),
                           point.detailed, point.reduced, point.differencePercent, "%.4f cm/s", "no flame speed");
}

}  // namespace vantor::plots
