// Time to compile a mechanism into its binary (read both inputs, parse, check, write the binary
// and the listing): GRI-Mech 3.0 and LLNL n-heptane. Target: n-heptane under 0.5 s.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "outside/tolmar/tolmar.h"

namespace {

void CompileData(benchmark::State& state, const std::string& folder) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/" + folder;
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("bench_compile_" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    for (auto _ : state) {
        const int32_t status = vantor::tolmar::CompileMechanismFiles(
            data + "/chem.inp", data + "/therm.dat", (out / "Chem.bin").string(), (out / "Out.dat").string());
        if (status != 0) {
            state.SkipWithError("compilation failed");
            break;
        }
    }
    std::filesystem::remove_all(out);
}

void BM_CompileGri30(benchmark::State& state) {
    CompileData(state, "gri30");
}
void BM_CompileNHeptane(benchmark::State& state) {
    CompileData(state, "nc7_llnl");
}

BENCHMARK(BM_CompileGri30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileNHeptane)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
