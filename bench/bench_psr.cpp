// Stirred-reactor extinction: the whole burning branch from tau = 1 s down to the turning point,
// for H2/air (Li et al., 9 species) and CH4/air (GRI-Mech 3.0, 53 species), both at phi 1, 1 atm
// and a 300 K inlet. Besides the time, each case reports the extinction point and the Newton
// iterations spent, steadier than the time on a shared machine.
// Targets: under 0.05 s the hydrogen case, under 0.5 s the GRI-Mech case.
//   build/bin/bench_psr --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "chemlib/mechanism.h"
#include "chemlib/mechanism_layout.h"
#include "outside/psr/stirred_reactor.h"
#include "outside/tolmar/tolmar.h"

namespace {

using namespace vantor;

struct TemporaryFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vantor_bench_psr_" + std::to_string(::getpid()));
    TemporaryFolder() { std::filesystem::create_directories(path); }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
};

chem::Mechanism Compiled(const std::string& name) {
    static const TemporaryFolder folder;
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/";
    const std::string bin = (folder.path / (name + ".bin")).string();
    tolmar::CompileMechanismFiles(data + name + "/chem.inp", data + "gri30/therm.dat", bin,
                                  (folder.path / (name + ".lst")).string());
    chem::Mechanism mechanism;
    std::ostringstream messages;
    mechanism.Load(bin, messages);
    return mechanism;
}

void Extinction(benchmark::State& state, const std::string& name,
                const std::vector<std::pair<std::string, double>>& amounts) {
    chem::Mechanism mechanism = Compiled(name);
    if (mechanism.KK() == 0) {
        state.SkipWithError(("cannot compile " + name).c_str());
        return;
    }
    psr::StirredReactorRequest request{
        chem::kAtmosphere, 300.0, std::vector<double>(static_cast<size_t>(mechanism.KK())), {}};
    for (const auto& [species, amount] : amounts) {
        request.moleFractions[static_cast<size_t>(mechanism.SpeciesIndex(species) - 1)] = amount;
    }
    psr::StirredReactorResult result;
    for (auto _ : state) {
        result = psr::SolveStirredReactor(mechanism, request);
        benchmark::DoNotOptimize(result.residenceTime.data());
    }
    if (result.outcome != psr::StirredReactorOutcome::kExtinctionFound) {
        state.SkipWithError(result.message.c_str());
        return;
    }
    state.counters["tau_ext_us"] = result.extinctionTime * 1e6;
    state.counters["T_ext_K"] = result.extinctionTemperature;
    state.counters["points"] = static_cast<double>(result.residenceTime.size());
    state.counters["newton"] = result.newtonIterations;
}

void BM_HydrogenAir(benchmark::State& state) { Extinction(state, "h2_li", {{"H2", 2.0}, {"O2", 1.0}, {"N2", 3.76}}); }
void BM_MethaneAirGri(benchmark::State& state) {
    Extinction(state, "gri30", {{"CH4", 1.0}, {"O2", 2.0}, {"N2", 7.52}});
}

BENCHMARK(BM_HydrogenAir)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MethaneAirGri)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
