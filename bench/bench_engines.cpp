// Reduction engine benchmarks: a full KELDA run on GRI-Mech 3.0 (4 cases of 40 points), and KELDA
// and MORVA per recorded state on LLNL n-heptane (NC7H16 and O2 as start species) and on
// ic8_llnl3 (IC8H18 and O2) with the default thresholds (PFA 0.04, ECF 0.98, heat kept ratio 0),
// on the spread states of engine_states.h.
//
//   build/bin/bench_engines --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "bench/engine_states.h"
#include "engine/kelda/kelda_entry.h"
#include "engine/morva/morva_entry.h"

namespace {

using namespace enginebench;

// Compiles a mechanism of tests/data once per process into a folder of its own.
Workspace& Compiled(const std::string& mechanism) {
    static std::map<std::string, Workspace> all;
    Workspace& w = all[mechanism];
    if (w.dir.empty()) {
        const bool corpus = mechanism == "ic8_llnl3";
        CompileInto(w, corpus ? Data("corpus/ic8_llnl3/ic8_ver3_mech.txt") : Data(mechanism + "/chem.inp"),
                    corpus ? Data("corpus/ic8_llnl3/prf_v3_therm_dat.txt") : Data(mechanism + "/therm.dat"));
    }
    return w;
}

using Entry = int32_t (*)(const JobRecord*, int32_t*, double*);

void RunEntry(benchmark::State& state, Entry entry, const JobRecord& job, int states) {
    for (auto _ : state) {
        int32_t status = 0;
        double progress = 0.0;
        const int32_t result = entry(&job, &status, &progress);
        if (result != 10208) {
            state.SkipWithError(("engine status " + std::to_string(status)).c_str());
            return;
        }
    }
    state.counters["per_state"] = benchmark::Counter(states, benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}

void BM_KeldaGriMech4x40(benchmark::State& state) {
    Workspace& w = Compiled("gri30");
    if (!w.ok) return state.SkipWithError("GRI-Mech 3.0 did not compile");
    WriteStandardData(w, 4, 40, {{"CH4", 0.1}, {"O2", 0.2}, {"N2", 0.7}}, {"CH4", "O2"});
    RunEntry(state, &vantor::engine::RunKelda, Job(w, 0.04, 4, 40), 160);
}
BENCHMARK(BM_KeldaGriMech4x40)->Unit(benchmark::kMillisecond);

constexpr int kHeptaneStates = 8;

void HeptaneRun(benchmark::State& state, Entry entry, double threshold) {
    Workspace& w = Compiled("nc7_llnl");
    if (!w.ok) return state.SkipWithError("n-heptane did not compile");
    WriteStandardData(w, 1, kHeptaneStates, {{"NC7H16", 0.02}, {"O2", 0.2}, {"N2", 0.75}}, {"NC7H16", "O2"});
    RunEntry(state, entry, Job(w, threshold, 1, kHeptaneStates), kHeptaneStates);
}

void BM_KeldaHeptanePerState(benchmark::State& state) { HeptaneRun(state, &vantor::engine::RunKelda, 0.04); }
BENCHMARK(BM_KeldaHeptanePerState)->Unit(benchmark::kMillisecond);

void BM_MorvaHeptanePerState(benchmark::State& state) { HeptaneRun(state, &vantor::engine::RunMorva, 0.98); }
BENCHMARK(BM_MorvaHeptanePerState)->Unit(benchmark::kMillisecond);

constexpr int kIsoOctaneStates = 8;

void IsoOctaneRun(benchmark::State& state, Entry entry, double threshold) {
    Workspace& w = Compiled("ic8_llnl3");
    if (!w.ok) return state.SkipWithError("ic8_llnl3 did not compile");
    WriteStandardData(w, 1, kIsoOctaneStates, {{"IC8H18", 0.016}, {"O2", 0.2}, {"N2", 0.75}}, {"IC8H18", "O2"});
    RunEntry(state, entry, Job(w, threshold, 1, kIsoOctaneStates), kIsoOctaneStates);
}

void BM_KeldaIsoOctanePerState(benchmark::State& state) { IsoOctaneRun(state, &vantor::engine::RunKelda, 0.04); }
BENCHMARK(BM_KeldaIsoOctanePerState)->Unit(benchmark::kMillisecond);

void BM_MorvaIsoOctanePerState(benchmark::State& state) { IsoOctaneRun(state, &vantor::engine::RunMorva, 0.98); }
BENCHMARK(BM_MorvaIsoOctanePerState)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
