// ComputeProductionRates on GRI-Mech 3.0 and LLNL n-heptane, compiled by the interpreter into a
// temporary folder when the benchmark starts. A full evaluation (the temperature changes between
// calls): targets 5 us (GRI-Mech 3.0) and 35 us (n-heptane). An evaluation at an unchanged
// temperature and pressure (the ignition Jacobian's compositions): well below that.

#include <benchmark/benchmark.h>

#if __has_include("outside/tolmar/tolmar.h")

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "outside/tolmar/tolmar.h"

namespace {

// The mechanism of tests/data/<name>, compiled and loaded once; null when that fails.
vantor::chem::Mechanism* Compiled(const std::string& name) {
    static std::vector<std::pair<std::string, std::unique_ptr<vantor::chem::Mechanism>>> cache;
    for (auto& [cached, mech] : cache) {
        if (cached == name) return mech.get();
    }
    char pattern[] = "/tmp/bench-rates-XXXXXX";
    std::unique_ptr<vantor::chem::Mechanism> mech;
    if (mkdtemp(pattern) != nullptr) {
        const std::string folder = pattern, data = std::string(VANTOR_TEST_DATA_DIR) + "/" + name + "/";
        std::ostringstream msg;
        auto loaded = std::make_unique<vantor::chem::Mechanism>();
        if (vantor::tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", folder + "/Chem.bin",
                                                  folder + "/Out.dat") == 0 &&
            loaded->Load(folder + "/Chem.bin", msg) == 0) {
            mech = std::move(loaded);
        } else {
            std::cerr << "cannot compile or load " << name << ": " << msg.str() << "\n";
        }
        std::filesystem::remove_all(folder);
    }
    cache.emplace_back(name, std::move(mech));
    return cache.back().second.get();
}

void ProductionRates(benchmark::State& state, const std::string& name, double T, double Patm, bool sameTemperature) {
    vantor::chem::Mechanism* mech = Compiled(name);
    if (mech == nullptr) {
        state.SkipWithError("the mechanism could not be compiled");
        return;
    }
    const int KK = mech->KK(), II = mech->II();
    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += X[k] = 1.0 + k % 7;
    for (double& x : X) x /= sum;
    mech->MoleToMassFractions(X.data(), Y.data());
    std::ostringstream msg;
    const double temperatures[2] = {T, sameTemperature ? T : T + 1.0};
    size_t call = 0;
    for (auto _ : state) {
        mech->ProductionRates(msg, Patm * 1013250.0, temperatures[call++ % 2], Y.data(), wdot.data(), qf.data(),
                              qr.data());
        benchmark::DoNotOptimize(wdot.data());
        benchmark::ClobberMemory();
    }
    state.counters["reactions"] = II;
}

BENCHMARK_CAPTURE(ProductionRates, gri30_1200K_1atm, std::string("gri30"), 1200.0, 1.0, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductionRates, nc7_llnl_900K_20atm, std::string("nc7_llnl"), 900.0, 20.0, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductionRates, gri30_1200K_1atm_same_temperature, std::string("gri30"), 1200.0, 1.0, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ProductionRates, nc7_llnl_900K_20atm_same_temperature, std::string("nc7_llnl"), 900.0, 20.0, true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

#endif

BENCHMARK_MAIN();
