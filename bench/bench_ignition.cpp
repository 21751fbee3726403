// Ignition runs: the four default GRI-Mech 3.0 cases of the parameter grid ("CH4 1, O2 2" at 1
// and 2 atm, 1000 and 1200 K, 20 points), each on one core, and one LLNL n-heptane case
// (stoichiometric with air, 10 atm, 1000 K), and one LLNL iso-octane case (ic8_llnl3 of the corpus,
// stoichiometric with air, 20 atm, 1000 K), and one C3MechV3.3 n-dodecane case (c3mech33 of the
// corpus, 3761 species; "NC12H26 1, O2 18.5, N2 69.56", 20 atm, 1000 K).
// Targets: under 0.1 s a GRI-Mech case, under 0.45 s the n-heptane case, under 0.7 s the
// iso-octane case, under 15 s the n-dodecane case. And a GRI-Mech case that cannot ignite (methane
// in argon, 10 atm, 1500 K, max. time 1e10 s), which must end once its state is steady: under 1 s.
// Besides the time, each case reports the integrator's work (steps, rate evaluations, Jacobians,
// matrix setups, Newton iterations, Newton and error-test failures), steadier than the time on a
// shared machine.
//   build/bin/bench_ignition --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "chemlib/mechanism.h"
#include "outside/senkin/ignition_run.h"
#include "outside/tolmar/tolmar.h"

namespace {

using namespace vantor;

// A temporary folder for the compiled mechanisms, removed at exit.
struct TemporaryFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vantor_bench_ignition_" + std::to_string(::getpid()));
    TemporaryFolder() { std::filesystem::create_directories(path); }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
};

// The mechanism of test-data folder `name` compiled once into the temporary folder; "" when it
// does not compile.
std::string Compiled(const std::string& name, const std::string& mechanism = "chem.inp",
                     const std::string& thermo = "therm.dat") {
    static const TemporaryFolder folder;
    const auto& dir = folder.path;
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/" + name + "/";
    const std::string stem = std::filesystem::path(name).filename().string();
    const std::string bin = (dir / (stem + ".bin")).string();
    const int32_t status = tolmar::CompileMechanismFiles(data + mechanism, data + thermo, bin,
                                                         (dir / (stem + ".lst")).string());
    return status == 0 ? bin : "";
}

const std::string& GriBinary() {
    static const std::string bin = Compiled("gri30");
    return bin;
}
const std::string& HeptaneBinary() {
    static const std::string bin = Compiled("nc7_llnl");
    return bin;
}
const std::string& IsoOctaneBinary() {
    static const std::string bin = Compiled("corpus/ic8_llnl3", "ic8_ver3_mech.txt", "prf_v3_therm_dat.txt");
    return bin;
}

const std::string& C3MechBinary() {
    static const std::string bin = Compiled("corpus/c3mech33", "C3MechV3.3.MECH", "C3MechV3.3.THERM");
    return bin;
}

JobRecord OneCase(const std::string& binary, double pressure, double temperature,
                  const std::vector<std::pair<std::string, double>>& mixture) {
    chem::Mechanism mech;
    std::ostringstream messages;
    mech.Load(binary, messages);
    JobRecord job{};
    job.NPress = job.NTemp = job.NMix = 1;
    job.Press[0] = pressure;
    job.Temp[0] = temperature;
    job.mixIndex(1, 0) = static_cast<int16_t>(mixture.size());
    for (size_t k = 0; k < mixture.size(); ++k) {
        job.mixIndex(1, static_cast<int>(k) + 1) = static_cast<int16_t>(mech.SpeciesIndex(mixture[k].first));
        job.mixAmount(1, static_cast<int>(k) + 1) = mixture[k].second;
    }
    job.EndTime = 2.0;
    job.EndTimeMode = 2;
    job.NPoints = 20;
    job.MaxTime = 1e10;
    job.TimeStep = 1e-8;
    return job;
}

void RunCase(benchmark::State& state, const std::string& binary, const JobRecord& job) {
    if (binary.empty()) {
        state.SkipWithError("the mechanism does not compile");
        return;
    }
    senkin::RunOptions options;
    options.threads = 1;
    const senkin::IgnitionFiles files{binary, "", "", "chem.inp"};
    for (auto _ : state) {
        const auto report = senkin::RunIgnitionJob(job, files, options, nullptr);
        if (report.status != 0) {
            state.SkipWithError(report.message.c_str());
            return;
        }
        const auto& o = report.cases[0].outcome;
        state.counters["steps"] = static_cast<double>(o.steps);
        state.counters["rhs"] = static_cast<double>(o.work.rightHandSides);
        state.counters["jac"] = static_cast<double>(o.work.jacobians);
        state.counters["setups"] = static_cast<double>(o.work.matrixSetups);
        state.counters["newton"] = static_cast<double>(o.work.newtonIterations);
        state.counters["nfail"] = static_cast<double>(o.work.newtonFailures);
        state.counters["efail"] = static_cast<double>(o.work.errorTestFailures);
    }
}

void BM_GriMechDefaultCase(benchmark::State& state) {
    const double pressure = static_cast<double>(state.range(0));
    const double temperature = static_cast<double>(state.range(1));
    RunCase(state, GriBinary(), OneCase(GriBinary(), pressure, temperature, {{"CH4", 1.0}, {"O2", 2.0}}));
}
BENCHMARK(BM_GriMechDefaultCase)
    ->ArgsProduct({{1, 2}, {1000, 1200}})
    ->ArgNames({"atm", "K"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_GriMechWithoutOxidizer(benchmark::State& state) {
    RunCase(state, GriBinary(), OneCase(GriBinary(), 10.0, 1500.0, {{"CH4", 1.0}, {"AR", 5.0}}));
}
BENCHMARK(BM_GriMechWithoutOxidizer)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_HeptaneStoichiometricAir10atm1000K(benchmark::State& state) {
    const std::string& bin = HeptaneBinary();
    RunCase(state, bin,
            bin.empty() ? JobRecord{} : OneCase(bin, 10.0, 1000.0, {{"NC7H16", 1.0}, {"O2", 11.0}, {"N2", 41.36}}));
}
BENCHMARK(BM_HeptaneStoichiometricAir10atm1000K)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_IsoOctaneStoichiometricAir20atm1000K(benchmark::State& state) {
    const std::string& bin = IsoOctaneBinary();
    RunCase(state, bin,
            bin.empty() ? JobRecord{} : OneCase(bin, 20.0, 1000.0, {{"IC8H18", 1.0}, {"O2", 12.5}, {"N2", 47.0}}));
}
BENCHMARK(BM_IsoOctaneStoichiometricAir20atm1000K)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_C3MechDodecaneAir20atm1000K(benchmark::State& state) {
    const std::string& bin = C3MechBinary();
    RunCase(state, bin,
            bin.empty() ? JobRecord{}
                        : OneCase(bin, 20.0, 1000.0, {{"NC12H26", 1.0}, {"O2", 18.5}, {"N2", 69.56}}));
}
BENCHMARK(BM_C3MechDodecaneAir20atm1000K)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
