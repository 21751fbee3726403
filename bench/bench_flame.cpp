// Freely propagating flames, both refinement passes, on one core: GRI-Mech 3.0 CH4/air at phi 1,
// 1 atm, 300 K (target under 10 s) and the 88-species n-heptane skeletal mechanism (nc7_llnl_sk88
// of the corpus) n-C7H16/air at phi 1, 1 atm, 300 K (target under 30 s). Each reports the speed,
// the grid points, the Newton solves and the time steps. Beside them the Jacobian's factoring for
// a big mechanism's blocks.
//   build/bin/bench_flame

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "chemlib/mechanism.h"
#include "chemlib/mechanism_layout.h"
#include "outside/mixture/mixture_transport.h"
#include "outside/pellor/pellor.h"
#include "outside/premix/block_tridiagonal.h"
#include "outside/premix/flame.h"
#include "outside/tolmar/tolmar.h"

namespace {

using namespace vantor;

struct TemporaryFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vantor_bench_flame_" + std::to_string(::getpid()));
    TemporaryFolder() { std::filesystem::create_directories(path); }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
};

struct Prepared {
    chem::Mechanism mechanism;
    mixture::MixtureTransport transport;
    bool ok = false;
};

// Test-data folder `name` compiled and its transport fitted.
std::unique_ptr<Prepared> Prepare(const std::string& name) {
    static const TemporaryFolder folder;
    auto p = std::make_unique<Prepared>();
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/" + name + "/";
    const std::string stem = (folder.path / std::filesystem::path(name).filename()).string();
    tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", stem + ".bin", stem + ".out");
    std::ostringstream msg;
    if (p->mechanism.Load(stem + ".bin", msg) != 0) return p;
    const pellor::PellorReport report =
        pellor::FitTransport({stem + ".bin", data + "tran.dat", stem + "_tran.bin", ""}, nullptr);
    std::string error;
    p->ok = report.status == pellor::kPellorOk && p->transport.Bind(p->mechanism, report.fits, error);
    return p;
}

void RunFlame(benchmark::State& state, const std::string& name, const std::vector<std::pair<const char*, double>>& mix) {
    const auto prepared = Prepare(name);
    if (!prepared->ok) {
        state.SkipWithError(("cannot prepare " + name).c_str());
        return;
    }
    premix::FlameRequest request;
    request.pressure = chem::kAtmosphere;
    request.temperature = 300.0;
    request.moleFractions.assign(static_cast<size_t>(prepared->mechanism.KK()), 0.0);
    for (const auto& [species, amount] : mix)
        request.moleFractions[static_cast<size_t>(prepared->mechanism.SpeciesIndex(species) - 1)] = amount;
    premix::FlameResult result;
    for (auto _ : state) {
        result = premix::SolveFlame(prepared->mechanism, prepared->transport, request);
        if (result.outcome != premix::FlameOutcome::kConverged) {
            state.SkipWithError(result.message.c_str());
            return;
        }
    }
    state.counters["S_L_cm_s"] = result.flameSpeed;
    state.counters["points"] = static_cast<double>(result.x.size());
    state.counters["newton"] = result.newtonSolves;
    state.counters["time_steps"] = result.timeSteps;
}

void BM_FlameGriMethaneAir(benchmark::State& state) {
    RunFlame(state, "gri30", {{"CH4", 1.0}, {"O2", 2.0}, {"N2", 7.52}});
}
void BM_FlameHeptaneAir(benchmark::State& state) {
    RunFlame(state, "corpus/nc7_llnl_sk88", {{"nc7h16", 1.0}, {"o2", 11.0}, {"n2", 41.36}});
}

// The Jacobian's factoring alone for big mechanisms: 20 points of blocks of `range(0)` unknowns
// (LLNL n-heptane: 633), diagonally dominant so that no pivot is near zero.
void BM_BlockTridiagonalFactor(benchmark::State& state) {
    const int b = static_cast<int>(state.range(0)), n = 20;
    premix::BlockTridiagonal m;
    unsigned seed = 1;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) / 4294967296.0 - 0.5; };
    for (auto _ : state) {
        state.PauseTiming();
        m.Resize(n, b);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < b * b; ++i) {
                m.Lower(j)[i] = 0.01 * next();
                m.Upper(j)[i] = 0.01 * next();
                m.Diagonal(j)[i] = i % (b + 1) == 0 ? 10.0 + next() : next();
            }
        state.ResumeTiming();
        benchmark::DoNotOptimize(m.Factor());
    }
}

BENCHMARK(BM_BlockTridiagonalFactor)->Arg(633)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FlameGriMethaneAir)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FlameHeptaneAir)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
