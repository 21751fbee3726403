#pragma once
// Qt Charts of the plot data of app/core/plots: the same charts for the comparison viewer, its
// saved images and vantor-cli's plot files. Each function returns a new chart the caller owns.

class QChart;

namespace vantor::plots {
struct DelayPlotData;
struct FlamePlotData;
struct HistoryPlotData;
struct ParityPlotData;
struct CandidatePlotData;
}  // namespace vantor::plots

namespace vantor::plot_render {

QChart* MakeDelayChart(const plots::DelayPlotData& plot);
QChart* MakeFlameChart(const plots::FlamePlotData& plot);
QChart* MakeHistoryChart(const plots::HistoryPlotData& plot);
QChart* MakeParityChart(const plots::ParityPlotData& plot);
QChart* MakeCandidateChart(const plots::CandidatePlotData& plot);

}  // namespace vantor::plot_render
