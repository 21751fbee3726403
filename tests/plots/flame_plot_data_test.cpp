// The flame-speed plot: cases paired by position into one series per pressure and temperature,
// cases without a flame speed left out and named, the axis ranges, and the flame data files of
// a work folder.

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/core/plots/flame_plot_data.h"
#include "outside/premix/flame_data.h"

namespace vantor::plots {
namespace {

ReactorCaseValue Flame(int number, double pressure, double phi, double speed, int status = 0) {
    return {number, pressure, 300.0, phi, status, speed, status ? "no convergence" : "converged"};
}

const std::vector<ReactorCaseValue> kDetailed{Flame(1, 1, 1.2, 36.0), Flame(2, 1, 0.8, 26.0), Flame(3, 1, 1.0, 38.0),
                                              Flame(4, 5, 1.0, 18.0)};

TEST(FlamePlot, PairsByPositionIntoPressureAndTemperatureSeriesByRisingPhi) {
    auto reduced = kDetailed;
    for (ReactorCaseValue& c : reduced) c.value *= 1.02;
    const auto plot = BuildFlamePlot(kDetailed, reduced);
    ASSERT_EQ(plot.series.size(), 2u);
    EXPECT_EQ(plot.series[0].label, "1 atm, 300 K");
    EXPECT_EQ(plot.series[1].label, "5 atm, 300 K");
    const auto& first = plot.series[0].points;
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].caseNumber, 2);
    EXPECT_DOUBLE_EQ(first[0].phi, 0.8);
    EXPECT_DOUBLE_EQ(*first[2].reduced, 36.0 * 1.02);
    EXPECT_NEAR(*first[2].differencePercent, 2.0, 1e-9);
    EXPECT_TRUE(plot.note.empty());
    EXPECT_TRUE(plot.hasReduced);

    // Rounded ranges with room around the outermost points.
    EXPECT_LT(plot.phi.min, 0.8);
    EXPECT_GT(plot.phi.max, 1.2);
    EXPECT_LT(plot.speed.min, 18.0);
    EXPECT_GE(plot.speed.min, 0.0);
    EXPECT_GT(plot.speed.max, 38.0 * 1.02);

    EXPECT_EQ(NearestFlamePoint(plot, 1.01, 37.0)->caseNumber, 3);
    EXPECT_EQ(FlamePointText(first[0]),
              "Case 2, phi 0.8\ndetailed: 26.0000 cm/s\nreduced: 26.5200 cm/s\ndifference: +2.00 %");
}

TEST(FlamePlot, CasesWithoutAFlameSpeedAreLeftOutAndNamed) {
    auto detailed = kDetailed;
    auto reduced = kDetailed;
    detailed[1].status = reduced[1].status = 3;  // neither burns: no point at all
    reduced[2] = Flame(3, 1, 1.0, 0.0, 2);        // the detailed point stays
    const auto plot = BuildFlamePlot(detailed, reduced);
    EXPECT_EQ(plot.leftOut, (std::vector<int>{2, 3}));
    EXPECT_EQ(plot.note, "No flame speed, left out: cases 2, 3 (reduced)");
    ASSERT_EQ(plot.series[0].points.size(), 2u);
    EXPECT_TRUE(plot.series[0].points[0].detailed && !plot.series[0].points[0].reduced);
    EXPECT_EQ(FlamePointText(plot.series[0].points[0]), "Case 3, phi 1\ndetailed: 38.0000 cm/s\nreduced: no flame speed");

    // Without the reduced flames the detailed line stands alone and nothing counts as left out.
    const auto alone = BuildFlamePlot(kDetailed, {});
    EXPECT_FALSE(alone.hasReduced);
    EXPECT_TRUE(alone.leftOut.empty());
    EXPECT_EQ(alone.series[0].points.size(), 3u);

    auto none = kDetailed;
    for (ReactorCaseValue& c : none) c.status = 1;
    EXPECT_TRUE(BuildFlamePlot(none, none).empty());
    EXPECT_EQ(BuildFlamePlot(none, none).note, "No flame speed, left out: cases 1, 2, 3, 4");
}

TEST(FlamePlot, ReadsTheWorkFoldersFlameFiles) {
    const auto dir = std::filesystem::temp_directory_path() / ("flame_plot_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    EXPECT_FALSE(ReadFlameRun(dir.string()).present);

    premix::FlameCaseData c;
    c.number = 1;
    c.pressureAtm = 1.0;
    c.temperature = 300.0;
    c.phi = 1.0;
    c.flameSpeed = 38.5;
    c.message = "converged";
    std::string error;
    ASSERT_TRUE(premix::WriteFlameData((dir / "FLAME.dat").string(), {"CH4"}, {c}, error)) << error;
    auto run = ReadFlameRun(dir.string());
    EXPECT_TRUE(run.present);
    EXPECT_TRUE(run.error.empty()) << run.error;
    ASSERT_EQ(run.detailed.size(), 1u);
    EXPECT_DOUBLE_EQ(run.detailed[0].value, 38.5);
    EXPECT_TRUE(run.reduced.empty());

    std::FILE* damaged = std::fopen((dir / "New_FLAME.dat").c_str(), "w");
    std::fputs("! PREMIX flame data\n! Case 1  P= x atm\n", damaged);
    std::fclose(damaged);
    run = ReadFlameRun(dir.string());
    EXPECT_NE(run.error.find("New_FLAME.dat"), std::string::npos) << run.error;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vantor::plots
