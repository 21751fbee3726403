#include "app/plot_render/plot_files.h"

#include <QDir>

#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/flame_plot_data.h"
#include "app/core/plots/history_plot_data.h"
#include "app/core/plots/parity_plot_data.h"
#include "app/core/plots/run_species.h"
#include "app/core/plots/search_candidates.h"
#include "app/core/plots/standard_data_cases.h"
#include "app/plot_render/plot_charts.h"
#include "app/plot_render/plot_image.h"

namespace vantor::plot_render {
namespace {

// The comparison viewer's default plot size.
const QSize kPlotSize(800, 560);

// A species name as part of a file name: characters a shell or another system would take
// otherwise ("CH2(S)", "C2H5O2*") become "_".
QString FileNamePart(const std::string& species) {
    QString part = QString::fromStdString(species);
    for (QChar& c : part)
        if (!c.isLetterOrNumber() && c != '-' && c != '+' && c != '_') c = '_';
    return part;
}

}  // namespace

PlotFilesResult WritePlotFiles(const std::string& workDirectory, const std::string& outDirectory,
                               const std::vector<std::string>& mixtureNames, const std::string& mechanismPath) {
    PlotFilesResult result;
    const auto detailed = plots::ReadStandardDataCases(workDirectory + "/SAVE.dat", "SAVE.dat");
    const auto reduced = plots::ReadStandardDataCases(workDirectory + "/New_SAVE.dat", "New_SAVE.dat");
    for (const auto* read : {&detailed, &reduced}) {
        if (read->problem == plots::ReadProblem::kNone) continue;
        result.error = read->error;
        return result;
    }
    const QString out = QString::fromStdString(outDirectory);
    if (!QDir().mkpath(out)) {
        result.error = "Cannot create the folder " + outDirectory;
        return result;
    }
    auto save = [&](QChart* chart, const QString& name) {
        QString error;
        const QString base = QDir(out).filePath(name);
        if (!SaveChartImages(chart, kPlotSize, base, &error)) {
            result.error = error.toStdString();
            return false;
        }
        result.files.push_back((base + ".png").toStdString());
        result.files.push_back((base + ".svg").toStdString());
        return true;
    };
    const auto delays = plots::BuildDelayPlot(detailed.data, reduced.data, mixtureNames);
    if (!save(MakeDelayChart(delays), "delay")) return result;
    if (!save(MakeParityChart(plots::BuildParityPlot(delays)), "parity")) return result;
    if (const auto flames = plots::ReadFlameRun(workDirectory); flames.present) {
        if (!flames.error.empty()) {
            result.error = flames.error;
            return result;
        }
        if (!save(MakeFlameChart(plots::BuildFlamePlot(flames.detailed, flames.reduced)), "flame_speed")) return result;
    }
    const int cases = static_cast<int>(std::max(detailed.data.cases.size(), reduced.data.cases.size()));
    for (int i = 1; i <= cases; ++i) {
        const auto history = plots::BuildHistoryPlot(detailed.data, reduced.data, i, false, mixtureNames);
        if (!save(MakeHistoryChart(history), QString("history_case_%1").arg(i))) return result;
    }
    const auto names = plots::ReadRunSpecies(detailed.data, reduced.data, workDirectory, mechanismPath);
    if (!names.known()) {
        result.error = names.error;
        return result;
    }
    const auto species = plots::ReadSpeciesHistories(workDirectory, names, plots::PlottedSpecies(names, detailed.data));
    if (!species.error.empty()) {
        result.error = species.error;
        return result;
    }
    for (const plots::HistoryQuantity& quantity : species.quantities) {
        for (int i = 1; i <= cases; ++i) {
            const auto history =
                plots::BuildHistoryPlot(species.detailed, species.reduced, i, true, mixtureNames, quantity);
            const QString name = QString("species_%1_case_%2").arg(FileNamePart(quantity.species)).arg(i);
            if (!save(MakeHistoryChart(history), name)) return result;
        }
    }
    if (const auto candidates = plots::ReadSearchCandidates(workDirectory); !candidates.empty())
        if (!save(MakeCandidateChart(plots::BuildCandidatePlot(candidates)), "candidates")) return result;
    result.ok = true;
    return result;
}

}  // namespace vantor::plot_render
