// The whole reduction to a target error (10 %), through the shared libraries beside the program:
// the detailed runs, the threshold search and, where named, the species removal. One iteration
// is one search on a fresh copy of the project. Counters: species and reactions kept, candidates
// tried, the largest delay difference reached, the processor seconds of the candidates' ignition
// runs and of the engine runs. C3MechV3.3 (3761 species): bench/c3mech33/run.sh.
//
//   build/bin/bench_target_search --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
//
// LLNL n-heptane (631 species; 10 and 40 atm, 800 to 1200 K) takes minutes an iteration and runs
// only with VANTOR_BENCH_LONG=1.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/core/mechanism/project_file.h"
#include "app/core/pipeline/library_binding.h"
#include "app/core/search/target_search.h"

namespace {

namespace fs = std::filesystem;
using namespace vantor;

class Quiet : public search::SearchObserver {
public:
    void AddLine(const std::string&) override {}
};

class Silent : public MessageSink {
public:
    void AddLine(const std::string&) override {}
};

void BM_TargetSearch(benchmark::State& state, const std::string& folder, const std::string& project, bool removal) {
    const std::string bin = ExecutableDirectory();
    EntryTable entries;
    Silent sink;
    if (entries.BindLibraries(LibraryFolder{bin, false}, sink, [](int) {}) != kBindOk) {
        state.SkipWithError("the shared libraries are not beside the benchmark");
        return;
    }
    const fs::path work = fs::temp_directory_path() / ("vbts" + std::to_string(::getpid()));
    search::TargetSearchSettings settings;
    settings.speciesRemoval = removal;
    const search::SearchEntries calls{entries.Entry(LibraryId::Tolmar), entries.Entry(LibraryId::Senkin),
                                      entries.Entry(LibraryId::Kelda)};
    search::TargetSearchResult result;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(work);
        fs::create_directories(work);
        for (const auto& file : fs::directory_iterator(folder)) fs::copy(file.path(), work / file.path().filename());
        MechanismModel model;
        const ProjectOpenResult opened = OpenProject(model, (work / project).string());
        state.ResumeTiming();
        search::TargetSearch search(calls, settings);
        Quiet quiet;
        result = search.Run(search::InputFromProject(model, opened, bin), quiet);
    }
    fs::remove_all(work);
    if (result.code != search::SearchCode::Found) {
        state.SkipWithError("no mechanism within target");
        return;
    }
    const search::CandidateRow& chosen = result.rows[static_cast<size_t>(result.chosen - 1)];
    state.counters["species"] = chosen.species;
    state.counters["reactions"] = chosen.reactions;
    state.counters["candidates"] = static_cast<double>(result.rows.size());
    state.counters["largest_pct"] = chosen.largest.value_or(-1.0);
    // Processor seconds (every thread), steadier than the wall time on a shared machine.
    state.counters["ignition_cpu_s"] = result.profile.Of(search::SearchPhase::Ignition).cpu;
    state.counters["engine_cpu_s"] = result.profile.Of(search::SearchPhase::Engine).cpu;
}

const std::string kData = VANTOR_TEST_DATA_DIR;

}  // namespace

int main(int argc, char** argv) {
    const std::string gri = kData + "/../../examples/gri30";
    for (const bool removal : {false, true})
        benchmark::RegisterBenchmark(removal ? "TargetSearch/gri30/removal" : "TargetSearch/gri30/threshold",
                                     [=](benchmark::State& s) { BM_TargetSearch(s, gri, "gri30.PRJ", removal); })
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseRealTime();
    if (const char* longRuns = std::getenv("VANTOR_BENCH_LONG"); longRuns && std::string(longRuns) == "1")
        for (const bool removal : {false, true})
            benchmark::RegisterBenchmark(
                removal ? "TargetSearch/nc7/removal" : "TargetSearch/nc7/threshold",
                [=](benchmark::State& s) { BM_TargetSearch(s, kData + "/nc7_llnl", "nc7_6cases.PRJ", removal); })
                ->Unit(benchmark::kSecond)
                ->Iterations(1)
                ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
