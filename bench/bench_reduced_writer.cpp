// The workbench's text work on the largest bundled mechanism (LLNL n-heptane, 6063 lines, 631
// species): reading it, generating the reduced text with half of the species removed, and the
// reaction map.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/mechanism/trimming.h"

namespace {

const std::string kNc7 = std::string(VANTOR_TEST_DATA_DIR) + "/nc7_llnl/chem.inp";

void BM_OpenMechanismNc7(benchmark::State& state) {
    for (auto _ : state) {
        vantor::MechanismModel model;
        benchmark::DoNotOptimize(vantor::OpenMechanism(model, kNc7).ok);
    }
}
BENCHMARK(BM_OpenMechanismNc7)->Unit(benchmark::kMillisecond);

void BM_BuildReducedMechanismNc7(benchmark::State& state) {
    vantor::MechanismModel model;
    vantor::OpenMechanism(model, kNc7);
    const std::string trim = (std::filesystem::temp_directory_path() / "vantor_bench_SP.TRM").string();
    {
        std::ofstream out(trim);
        out << "NOTE: Original SP#=631\n";
        for (int k = 2; k <= 631; k += 2) out << k << (k % 20 == 0 ? "\n" : " ");
    }
    vantor::ReducedHeaderSettings settings;
    settings.pressures = {1.0, 10.0};
    settings.temperatures = {800.0, 1000.0, 1200.0};
    settings.mixtureLines = {"NC7H16 1, O2 11, N2 41.36"};
    settings.timestamp = "2024-01-01 00:00:00";
    for (auto _ : state) {
        vantor::ReducedWriterJob job{model, settings, trim, ""};
        benchmark::DoNotOptimize(vantor::BuildReducedMechanism(job).reducedText.size());
    }
    std::remove(trim.c_str());
}
BENCHMARK(BM_BuildReducedMechanismNc7)->Unit(benchmark::kMillisecond);

void BM_ReactionMapNc7(benchmark::State& state) {
    vantor::MechanismModel model;
    vantor::OpenMechanism(model, kNc7);
    for (auto _ : state) benchmark::DoNotOptimize(vantor::BuildReactionMap(model.MechanismText).reactionCount);
}
BENCHMARK(BM_ReactionMapNc7)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
