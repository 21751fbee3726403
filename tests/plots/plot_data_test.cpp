// Plot data from standard-data files written for the purpose: series, axis ranges, cases
// without ignition, the history of one case, candidates, and missing or damaged files.

#include <cmath>

#include <gtest/gtest.h>

#include "app/core/plots/candidate_plot_data.h"
#include "app/core/plots/delay_plot_data.h"
#include "app/core/plots/history_plot_data.h"
#include "app/core/plots/parity_plot_data.h"
#include "app/core/plots/run_species.h"
#include "plots/standard_data_text.h"

namespace vantor::plots {
namespace {

using test::CaseText;

StandardDataCases Parse(const std::vector<CaseText>& cases) {
    const std::string text = test::StandardDataText(cases);
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    const auto read = ParseStandardDataCases(lines, "SAVE.dat");
    EXPECT_EQ(read.problem, ReadProblem::kNone) << read.error;
    return read.data;
}

std::vector<CaseText> Scaled(std::vector<CaseText> cases, double factor) {
    for (CaseText& c : cases) c.delay *= factor;
    return cases;
}

const std::vector<CaseText> kSixCases{{1, 1000, 1, 0.2},  {1, 1200, 1, 0.01},  {10, 1000, 1, 0.05},
                                      {10, 1200, 1, 0.004}, {1, 1000, 2, 0.3}, {1, 1200, 2, 0.02}};

TEST(DelayPlot, OneSeriesPerMixtureAndPressureWithLogDecadesAndTemperatures) {
    const auto detailed = Parse(kSixCases);
    const auto reduced = Parse(Scaled(kSixCases, 1.05));
    ASSERT_EQ(detailed.mixtures, 2);
    const auto plot = BuildDelayPlot(detailed, reduced, {"CH4 1, O2 2", "H2 1, O2 1"});
    ASSERT_EQ(plot.series.size(), 3u);
    EXPECT_EQ(plot.series[0].label, "CH4 1, O2 2, 1 atm");
    EXPECT_EQ(plot.series[1].label, "CH4 1, O2 2, 10 atm");
    EXPECT_EQ(plot.series[2].label, "H2 1, O2 1, 1 atm");
    EXPECT_EQ(BuildDelayPlot(detailed, reduced).series[2].label, "Mixture 2, 1 atm");

    // By rising 1000/T: the 1200 K case comes first.
    const DelayPoint& first = plot.series[1].points.front();
    EXPECT_EQ(first.caseNumber, 4);
    EXPECT_DOUBLE_EQ(first.inverseTemperature, 1000.0 / 1200.0);
    EXPECT_NEAR(*first.differencePercent, 5.0, 1e-9);
    EXPECT_TRUE(plot.note.empty());

    EXPECT_DOUBLE_EQ(plot.delay.min, 1e-3);
    EXPECT_DOUBLE_EQ(plot.delay.max, 1.0);
    EXPECT_LT(plot.inverseTemperature.min, 1000.0 / 1200.0);
    EXPECT_GT(plot.inverseTemperature.max, 1.0);
    EXPECT_GT(plot.inverseTemperature.min, 0.7);
    ASSERT_FALSE(plot.temperatureTicks.empty());
    for (const double t : plot.temperatureTicks) {
        EXPECT_GE(1000.0 / t, plot.inverseTemperature.min - 1e-12);
        EXPECT_LE(1000.0 / t, plot.inverseTemperature.max + 1e-12);
    }

    const DelayPoint* hovered = NearestDelayPoint(plot, 1000.0 / 1200.0, 0.0041);
    ASSERT_NE(hovered, nullptr);
    EXPECT_EQ(hovered->caseNumber, 4);
    EXPECT_EQ(DelayPointText(*hovered), "Case 4, 1200 K\ndetailed: 4.0000e-03 s\nreduced: 4.2000e-03 s\ndifference: +5.00 %");
}

TEST(DelayPlot, CasesWithoutIgnitionAreLeftOutAndNamed) {
    // The time limit (50 s) of a case without ignition must not reach the log axis, nor a zero.
    const std::vector<CaseText> detailedCases{{1, 1000, 1, 0.2}, {1, 800, 1, 50, false}, {1, 1200, 1, 0.01}, {1, 1100, 1, 0.0}};
    std::vector<CaseText> reducedCases = detailedCases;
    reducedCases[2] = {1, 1200, 1, 50, false};
    const auto plot = BuildDelayPlot(Parse(detailedCases), Parse(reducedCases));
    EXPECT_EQ(plot.notIgnited, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(plot.note, "No ignition, left out: cases 2, 3 (reduced), 4");
    ASSERT_EQ(plot.series.size(), 1u);
    ASSERT_EQ(plot.series[0].points.size(), 2u);  // case 3 keeps its detailed point
    EXPECT_FALSE(plot.series[0].points[0].reduced);
    EXPECT_FALSE(plot.series[0].points[0].differencePercent);
    EXPECT_DOUBLE_EQ(plot.delay.min, 1e-2);
    EXPECT_DOUBLE_EQ(plot.delay.max, 1.0);

    const std::vector<CaseText> none{{1, 800, 1, 50, false}};
    const auto empty = BuildDelayPlot(Parse(none), Parse(none));
    EXPECT_TRUE(empty.empty());
    EXPECT_GT(empty.delay.min, 0.0);
    EXPECT_EQ(empty.note, "No ignition, left out: case 1");
    const std::vector<CaseText> many(12, {1, 800, 1, 50, false});
    EXPECT_EQ(BuildDelayPlot(Parse(many), Parse(many)).note,
              "No ignition, left out: cases 1, 2, 3, 4, 5, 6, 7 and 5 more");
}

TEST(HistoryPlot, DetailedAndReducedStatesOfOneCase) {
    const auto detailed = Parse(kSixCases);
    const auto reduced = Parse(Scaled(kSixCases, 1.05));
    const auto linear = BuildHistoryPlot(detailed, reduced, 2, false);
    EXPECT_EQ(linear.title, "Case 2: 1 atm, 1200 K, Mixture 1");
    ASSERT_EQ(linear.detailed.size(), 5u);
    ASSERT_EQ(linear.reduced.size(), 5u);
    EXPECT_DOUBLE_EQ(linear.reduced.back().time, 0.021);
    EXPECT_DOUBLE_EQ(linear.time.min, 0.0);
    EXPECT_GE(linear.time.max, 0.021);
    EXPECT_LE(linear.value.min, 1200.0);
    EXPECT_GE(linear.value.max, 2700.0);

    // The state at time 0 has no place on a log axis.
    const auto logarithmic = BuildHistoryPlot(detailed, reduced, 2, true);
    EXPECT_EQ(logarithmic.detailed.size(), 4u);
    EXPECT_DOUBLE_EQ(logarithmic.time.min, 1e-3);
    EXPECT_DOUBLE_EQ(logarithmic.time.max, 1e-1);

    EXPECT_TRUE(BuildHistoryPlot(detailed, reduced, 7, false).empty());
    const std::vector<CaseText> none{{1, 800, 1, 50, false}};
    EXPECT_EQ(BuildHistoryPlot(Parse(none), Parse(none), 1, false).note, "detailed did not ignite; reduced did not ignite");
}

TEST(SpeciesHistory, ColumnsFoundByNameInBothMechanismsOnLogAxes) {
    // The reduced mechanism lost CH4 (species 2 of the detailed one): its file has one column.
    test::PlotFolder dir;
    const std::vector<CaseText> cases{{1, 1000, 1, 0.2}, {10, 1200, 1, 0.01}};
    test::WriteFile(dir.File("SAVE.dat"), test::StandardDataText(cases, "chem.inp", 3));
    test::WriteFile(dir.File("New_SAVE.dat"), test::StandardDataText(cases, "NEW_Chem.inp", 2));
    test::WriteFile(dir.File("chem.inp"), "ELEMENTS C H O N END\nSPECIES O2 CH4 OH END\nREACTIONS\nEND\n");
    test::WriteFile(dir.File("NEW_Chem.inp"), "ELEMENTS C H O N END\nSPECIES O2 !RD-> CH4\n OH END\nREACTIONS\nEND\n");
    const auto detailed = ReadStandardDataCases(dir.File("SAVE.dat"), "SAVE.dat").data;
    const auto reduced = ReadStandardDataCases(dir.File("New_SAVE.dat"), "New_SAVE.dat").data;
    const RunSpecies names = ReadRunSpecies(detailed, reduced, dir.Path(), "");
    ASSERT_TRUE(names.known()) << names.error;
    EXPECT_EQ(names.reduced, (std::vector<std::string>{"O2", "OH"}));
    EXPECT_EQ(SpeciesChoiceOrder(detailed), (std::vector<int>{1, 2, 3}));  // the mixture's 1 and 2 first
    EXPECT_EQ(PlottedSpecies(names, detailed), (std::vector<int>{2, 1, 3}));  // fuel CH4, then O2 and OH

    const auto histories = ReadSpeciesHistories(dir.Path(), names, {3, 2});
    ASSERT_TRUE(histories.error.empty()) << histories.error;
    const HistoryQuantity& oh = histories.quantities[0];
    EXPECT_EQ(oh.reducedColumn, 0);
    const auto plot = BuildHistoryPlot(histories.detailed, histories.reduced, 2, true, {}, oh);
    EXPECT_EQ(plot.title, "OH, Case 2: 10 atm, 1200 K, Mixture 1");
    EXPECT_TRUE(plot.logValue);
    ASSERT_EQ(plot.detailed.size(), 4u);  // the state at time 0 is off the log time axis
    EXPECT_DOUBLE_EQ(plot.detailed.back().value, 0.1);
    EXPECT_DOUBLE_EQ(plot.value.min, 0.1);
    EXPECT_DOUBLE_EQ(plot.value.max, 1.0);
    const auto ch4 = BuildHistoryPlot(histories.detailed, histories.reduced, 1, false, {}, histories.quantities[1]);
    EXPECT_TRUE(ch4.reduced.empty());
    EXPECT_EQ(ch4.note, "CH4 is not in the reduced mechanism");
    EXPECT_EQ(ch4.detailed.size(), 4u);  // its zero at time 0 has no place on the log axis

    // A mechanism input that does not fit its file's columns names both.
    test::WriteFile(dir.File("NEW_Chem.inp"), "SPECIES O2 CH4 OH END\n");
    EXPECT_NE(ReadRunSpecies(detailed, reduced, dir.Path(), "").error.find("declares 3 species, New_SAVE.dat holds 2"),
              std::string::npos);
    const auto heat = BuildHistoryPlot(detailed, reduced, 1, false, {}, {HistoryQuantity::kHeatRelease, {}, 0, 0});
    EXPECT_DOUBLE_EQ(heat.detailed.back().value, 4e8);
}

TEST(ParityPlot, BothIgnitedCasesOnOneDecadeRange) {
    const std::vector<CaseText> detailedCases{{1, 1000, 1, 0.2}, {1, 1200, 1, 0.002}, {1, 800, 1, 50, false}};
    std::vector<CaseText> reducedCases = detailedCases;
    reducedCases[0].delay = 0.3;
    const auto plot = BuildParityPlot(BuildDelayPlot(Parse(detailedCases), Parse(reducedCases), {"H2 1, O2 1"}));
    ASSERT_EQ(plot.series.size(), 1u);
    EXPECT_EQ(plot.series[0].label, "H2 1, O2 1, 1 atm");
    ASSERT_EQ(plot.series[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(plot.series[0].points[1].reduced, 0.3);
    EXPECT_DOUBLE_EQ(plot.delay.min, 1e-3);
    EXPECT_DOUBLE_EQ(plot.delay.max, 1.0);
    EXPECT_EQ(plot.note, "No ignition, left out: case 3");
}

TEST(CandidatePlot, SortedBySpeciesWithTheChosenMarked) {
    const auto plot = BuildCandidatePlot({{40, 1.5, false}, {25, 8.0, true}, {31, NAN, false}, {33, 3.2, false}});
    ASSERT_EQ(plot.candidates.size(), 3u);  // the one without a number is left out
    EXPECT_EQ(plot.candidates.front().speciesKept, 25);
    ASSERT_TRUE(plot.chosen);
    EXPECT_EQ(plot.chosen->speciesKept, 25);
    EXPECT_LE(plot.species.min, 25.0);
    EXPECT_GE(plot.species.max, 40.0);
    EXPECT_DOUBLE_EQ(plot.difference.min, 0.0);
    EXPECT_GE(plot.difference.max, 8.0);
    EXPECT_FALSE(BuildCandidatePlot({}).chosen);
    EXPECT_FALSE(plot.logDifference);
    // A failed candidate far above the others puts the differences on whole decades.
    const auto spread = BuildCandidatePlot({{14, 4e4, false}, {15, 4.96, true}, {20, 0.0, false}});
    EXPECT_TRUE(spread.logDifference);
    EXPECT_DOUBLE_EQ(spread.difference.min, 1.0);
    EXPECT_DOUBLE_EQ(spread.difference.max, 1e5);
}

TEST(AxisRange, RoundedStepsAndWholeDecades) {
    const AxisRange linear = RoundedLinearRange(0.83, 1.01);
    EXPECT_DOUBLE_EQ(linear.min, 0.8);
    EXPECT_NEAR(linear.max, 1.05, 1e-12);
    EXPECT_EQ(linear.ticks, 6);
    const AxisRange single = RoundedLinearRange(1500.0, 1500.0);
    EXPECT_LT(single.min, 1500.0);
    EXPECT_GT(single.max, 1500.0);
    EXPECT_DOUBLE_EQ(DecadeRange(2e-3, 0.3).min, 1e-3);
    EXPECT_DOUBLE_EQ(DecadeRange(2e-3, 0.3).max, 1.0);
    EXPECT_DOUBLE_EQ(DecadeRange(1e-2, 1e-2).max, 1e-1);
}

TEST(StandardDataCases, MissingOrDamagedFilesNameTheirFault) {
    test::PlotFolder dir;
    const auto missing = ReadStandardDataCases(dir.File("SAVE.dat"), "SAVE.dat");
    EXPECT_EQ(missing.problem, ReadProblem::kMissing);
    EXPECT_EQ(missing.error, "Result data are not exist");

    const std::string good = test::StandardDataText({{1, 1000, 1, 0.2}});
    struct Damage {
        std::string text;
        std::string error;
    };
    const std::string shortLine = " 1.0E-03 1.0E+06 1.0E-03\r\n";
    const size_t dtau = good.find("DTAUi");
    const std::vector<Damage> damages{
        {good.substr(0, good.find("END")), "SAVE.dat ends without its END line"},
        {good.substr(0, dtau) + shortLine + good.substr(dtau), "SAVE.dat, line 13: \"1.0E-03 1.0E+06 1.0E-03\" is not a data line"},
        {good.substr(0, dtau) + "DTAUi(s)= fast\r\n" + good.substr(good.find("DTMAX")), "SAVE.dat, line 13: \"DTAUi(s)= fast\""},
        {good.substr(0, dtau) + good.substr(good.find("DTMAX")), "SAVE.dat: case 1 has no \"DTAUi(s)=\" line."},
        {"! Var#=     9  SP chem.inp\r\nEND\r\n", "SAVE.dat holds no case."},
    };
    for (const Damage& d : damages) {
        test::WriteFile(dir.File("SAVE.dat"), d.text);
        const auto read = ReadStandardDataCases(dir.File("SAVE.dat"), "SAVE.dat");
        EXPECT_EQ(read.problem, ReadProblem::kDamaged) << d.error;
        EXPECT_NE(read.error.find(d.error), std::string::npos) << read.error;
    }
}

}  // namespace
}  // namespace vantor::plots
