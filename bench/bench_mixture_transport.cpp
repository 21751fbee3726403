// Mixture-averaged transport at one grid point of a flame: the diffusion coefficients, the
// viscosity and the conductivity of a burning methane-air (GRI-Mech 3.0, 53 species) and n-heptane-air
// (LLNL skeletal nc7_llnl_sk88, 88 species) mixture, at a new temperature every call so nothing
// comes from the per-temperature cache. The n-heptane case reads corpus/nc7_llnl_sk88 of the test
// data, or of the shared development data when the repository has no copy.
//   build/bin/bench_mixture_transport --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "chemlib/mechanism.h"
#include "outside/mixture/mixture_transport.h"
#include "outside/pellor/pellor.h"
#include "outside/tolmar/tolmar.h"

namespace {

using namespace vantor;
namespace fs = std::filesystem;

struct TemporaryFolder {
    fs::path path = fs::temp_directory_path() / ("vantor_bench_mixture_" + std::to_string(::getpid()));
    TemporaryFolder() { fs::create_directories(path); }
    ~TemporaryFolder() { fs::remove_all(path); }
};

struct Bound {
    chem::Mechanism mechanism;
    mixture::MixtureTransport transport;
    std::string error;  // empty when bound
};

// The mechanism in `folder` compiled, its transport fitted and bound.
Bound Prepare(const std::string& folder, const std::string& stem) {
    static const TemporaryFolder temporary;
    Bound b;
    const std::string chem = (temporary.path / (stem + ".bin")).string();
    const std::string tran = (temporary.path / (stem + "_tran.bin")).string();
    if (tolmar::CompileMechanismFiles(folder + "/chem.inp", folder + "/therm.dat", chem,
                                      (temporary.path / (stem + ".lst")).string()) != 0) {
        b.error = folder + ": the mechanism does not compile";
        return b;
    }
    const pellor::PellorReport report = pellor::FitTransport({chem, folder + "/tran.dat", tran, ""}, nullptr);
    std::ostringstream messages;
    if (report.status != pellor::kPellorOk) {
        b.error = report.message;
    } else if (b.mechanism.Load(chem, messages) != 0) {
        b.error = chem + ": does not load";
    } else {
        b.transport.Bind(b.mechanism, report.fits, b.error);
    }
    return b;
}

const Bound& Gri() {
    static const Bound b = Prepare(std::string(VANTOR_TEST_DATA_DIR) + "/gri30", "gri30");
    return b;
}

const Bound& Heptane() {
    static const Bound b = [] {
        std::string folder = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/nc7_llnl_sk88";
        if (!fs::exists(folder)) folder = "/work/shared/data/corpus/nc7_llnl_sk88";
        return Prepare(folder, "nc7_sk88");
    }();
    return b;
}

// Every species present; the main ones of a mixture halfway through the flame.
std::vector<double> Composition(const chem::Mechanism& m, std::initializer_list<std::pair<const char*, double>> main) {
    std::vector<double> x(static_cast<size_t>(m.KK()), 1e-5);
    for (const auto& [name, value] : main) {
        if (const int k = m.SpeciesIndex(name); k > 0) x[static_cast<size_t>(k - 1)] = value;
    }
    double sum = 0.0;
    for (double v : x) sum += v;
    for (double& v : x) v /= sum;
    return x;
}

// `newTemperature`: a new temperature every call (a residual); otherwise one temperature and a
// perturbed composition (a Jacobian column of a species), served from the per-temperature values.
void Run(benchmark::State& state, const Bound& b, std::vector<double> x, bool newTemperature = true) {
    if (!b.error.empty()) {
        state.SkipWithError(b.error.c_str());
        return;
    }
    std::vector<double> d(x.size());
    double T = 1200.0, sum = 0.0;
    size_t perturbed = 0;
    for (auto _ : state) {
        if (newTemperature) {
            T = T < 1800.0 ? T + 0.37 : 1200.0;
        } else {
            perturbed = (perturbed + 1) % x.size();
            x[perturbed] *= 1.0 + 1e-7;
        }
        b.transport.DiffusionCoefficients(T, 1013250.0, x.data(), d.data());
        sum += d[0] + b.transport.Viscosity(T, x.data()) + b.transport.Conductivity(T, x.data());
    }
    benchmark::DoNotOptimize(sum);
    state.counters["species"] = static_cast<double>(x.size());
}

void BM_GriMechGridPoint(benchmark::State& state) {
    Run(state, Gri(),
        Composition(Gri().mechanism, {{"N2", 0.71}, {"H2O", 0.1}, {"CO2", 0.04}, {"CO", 0.03}, {"O2", 0.06},
                                      {"CH4", 0.03}, {"H2", 0.01}, {"OH", 0.005}, {"H", 0.003}}));
}
BENCHMARK(BM_GriMechGridPoint)->Unit(benchmark::kMicrosecond);

void BM_HeptaneSkeletalGridPoint(benchmark::State& state) {
    Run(state, Heptane(),
        Composition(Heptane().mechanism, {{"N2", 0.72}, {"H2O", 0.08}, {"CO2", 0.05}, {"CO", 0.03}, {"O2", 0.08},
                                          {"NC7H16", 0.01}, {"H2", 0.01}, {"OH", 0.005}, {"H", 0.003}}));
}
BENCHMARK(BM_HeptaneSkeletalGridPoint)->Unit(benchmark::kMicrosecond);

void BM_HeptaneSkeletalSameTemperature(benchmark::State& state) {
    Run(state, Heptane(),
        Composition(Heptane().mechanism, {{"N2", 0.72}, {"H2O", 0.08}, {"CO2", 0.05}, {"CO", 0.03}, {"O2", 0.08},
                                          {"NC7H16", 0.01}, {"H2", 0.01}, {"OH", 0.005}, {"H", 0.003}}),
        false);
}
BENCHMARK(BM_HeptaneSkeletalSameTemperature)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
