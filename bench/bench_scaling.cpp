// Growth with the mechanism: for every corpus mechanism that compiles (tests/data/corpus/MANIFEST.tsv)
// the compile time, one full rates evaluation, one at an unchanged temperature, one state of each
// reduction engine (PFA at threshold 0.04, ECF at 0.98, DRG and DRGEP at 4e-4, on the spread states of engine_states.h,
// starting from the manifest's mixture species or, without a mixture, from species 1) and, where
// the manifest names a mixture, one ignition case on one core (20 points, to 2 s), and where it names
// transport data, the transport fits of every species and pair (Pellor); then the fitted
// exponent of each against the species and the reaction counts (time ~ count^k, least squares in
// log-log). Process CPU times, medians over repeats.
//   build/bin/bench_scaling [NAME ...]   (only the named corpus mechanisms)

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/engine_states.h"
#include "chemlib/mechanism.h"
#include "engine/brena/brena_entry.h"
#include "engine/kelda/kelda_entry.h"
#include "engine/morva/morva_entry.h"
#include "engine/tovik/tovik_entry.h"
#include "outside/pellor/pellor.h"
#include "outside/senkin/ignition_run.h"
#include "outside/tolmar/tolmar.h"

namespace {

using namespace vantor;

double CpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? NAN : v[v.size() / 2];
}

// Median CPU seconds of `repeats` calls of `work`.
double Timed(int repeats, const std::function<bool()>& work) {
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        const double start = CpuSeconds();
        if (!work()) return NAN;
        times.push_back(CpuSeconds() - start);
    }
    return Median(times);
}

struct Row {
    std::string name;
    int KK = 0, II = 0;
    std::string note;  // why a column is empty
    double compile = NAN, rates = NAN, sameT = NAN, pfaState = NAN, ecfState = NAN, ignition = NAN;  // s
    double drgState = NAN, drgepState = NAN;                                                           // s
    double transport = NAN;                                                                            // s
};

// The names and amounts of a manifest mixture ("CH4 1, O2 2, N2 7.52"); empty when one is unknown.
std::vector<std::pair<std::string, double>> MixtureSpecies(const chem::Mechanism& m, const std::string& mixture) {
    std::vector<std::pair<std::string, double>> species;
    std::istringstream parts(mixture);
    for (std::string part; std::getline(parts, part, ',');) {
        std::istringstream words(part);
        std::string name;
        double amount = 0.0;
        if (!(words >> name >> amount) || m.SpeciesIndex(name) <= 0) return {};
        species.emplace_back(name, amount);
    }
    return species;
}

using Entry = int32_t (*)(const JobRecord*, int32_t*, double*);

// One engine state: the run over 33 states less the run over 1 (the mechanism load and the file
// set-up), divided by 32.
double EngineStateSeconds(enginebench::Workspace& w, Entry entry, double threshold,
                          const std::vector<std::pair<std::string, double>>& major,
                          const std::vector<std::string>& start) {
    const auto run = [&](int points) {
        enginebench::WriteStandardData(w, 1, points, major, start);
        const JobRecord job = enginebench::Job(w, threshold, 1, points);
        return Timed(5, [&] {
            int32_t status = 0;
            double progress = 0.0;
            return entry(&job, &status, &progress) == 10208;
        });
    };
    const double one = run(1);
    return (run(33) - one) / 32.0;
}

// Microseconds per evaluation, alternating between two temperatures or keeping one.
// A stopped evaluation leaves its message in `why`.
double RatesSeconds(chem::Mechanism& m, bool sameTemperature, std::string& why) {
    const int KK = m.KK(), II = m.II();
    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += X[k] = 1.0 + k % 7;
    for (double& x : X) x /= sum;
    m.MoleToMassFractions(X.data(), Y.data());
    std::ostringstream msg;
    const int calls = std::max(20, 200000 / std::max(II, 1));
    return Timed(5, [&] {
               for (int n = 0; n < calls; ++n) {
                   const double T = sameTemperature || n % 2 == 0 ? 1200.0 : 1201.0;
                   if (m.ProductionRates(msg, 1013250.0, T, Y.data(), wdot.data(), qf.data(), qr.data()) != 0) {
                       why = msg.str();
                       return false;
                   }
               }
               return true;
           }) / calls;
}

double IgnitionSeconds(chem::Mechanism& m, const std::string& bin, const std::string& mixture, double atm,
                       double kelvin) {
    JobRecord job{};
    job.NPress = job.NTemp = job.NMix = 1;
    job.Press[0] = atm;
    job.Temp[0] = kelvin;
    std::istringstream parts(mixture);
    std::string part;
    int count = 0;
    while (std::getline(parts, part, ',')) {
        std::istringstream words(part);
        std::string species;
        double amount = 0.0;
        if (!(words >> species >> amount) || m.SpeciesIndex(species) <= 0) return NAN;
        ++count;
        job.mixIndex(1, count) = static_cast<int16_t>(m.SpeciesIndex(species));
        job.mixAmount(1, count) = amount;
    }
    job.mixIndex(1, 0) = static_cast<int16_t>(count);
    job.EndTime = 2.0;
    job.EndTimeMode = 2;
    job.NPoints = 20;
    job.MaxTime = 1e10;
    job.TimeStep = 1e-8;
    senkin::RunOptions options;
    options.threads = 1;
    const senkin::IgnitionFiles files{bin, "", "", "chem.inp"};
    return Timed(1, [&] { return senkin::RunIgnitionJob(job, files, options, nullptr).status == 0; });
}

// Slope of log(y) against log(x) over the rows where y is known.
double Exponent(const std::vector<Row>& rows, double Row::*y, int Row::*x) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Row& r : rows) {
        if (!(r.*y > 0.0)) continue;
        const double lx = std::log(double(r.*x)), ly = std::log(r.*y);
        n += 1;
        sx += lx;
        sy += ly;
        sxx += lx * lx;
        sxy += lx * ly;
    }
    return n < 2 ? NAN : (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> only(argv + 1, argv + argc);
    const std::string corpus = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/";
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("bench_scaling_" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    std::ifstream manifest(corpus + "MANIFEST.tsv");
    std::vector<Row> rows;
    std::string line;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, '\t');) f.push_back(s);
        if (f.size() < 7) continue;
        if (!only.empty() && std::find(only.begin(), only.end(), f[0]) == only.end()) continue;
        Row row;
        row.name = f[0];
        const std::string dir = corpus + f[0] + "/", bin = (out / (f[0] + ".bin")).string();
        const std::string therm = f[2] == "-" ? "" : dir + f[2];
        row.compile = Timed(3, [&] {
            return tolmar::CompileMechanismFiles(dir + f[1], therm, bin, (out / (f[0] + ".lst")).string()) == 0;
        });
        chem::Mechanism m;
        std::ostringstream msg;
        if (std::isnan(row.compile) || m.Load(bin, msg) != 0) {
            std::printf("%-22s does not compile\n", f[0].c_str());
            continue;
        }
        row.KK = m.KK();
        row.II = m.II();
        row.rates = RatesSeconds(m, false, row.note);
        row.sameT = RatesSeconds(m, true, row.note);
        enginebench::Workspace w;
        if (enginebench::CompileInto(w, dir + f[1], therm)) {
            std::vector<std::pair<std::string, double>> major = MixtureSpecies(m, f[4]);
            std::vector<std::string> start;
            for (const auto& [name, amount] : major) start.push_back(name);
            if (start.empty()) start.push_back(m.SpeciesName(1));
            double sum = 0.0;
            for (const auto& [name, amount] : major) sum += amount;
            for (auto& [name, amount] : major) amount = 0.95 * amount / sum;
            row.pfaState = EngineStateSeconds(w, &engine::RunKelda, 0.04, major, start);
            row.ecfState = EngineStateSeconds(w, &engine::RunMorva, 0.98, major, start);
            row.drgState = EngineStateSeconds(w, &engine::RunBrena, 4e-4, major, start);
            row.drgepState = EngineStateSeconds(w, &engine::RunTovik, 4e-4, major, start);
        }
        if (f[4] != "-") row.ignition = IgnitionSeconds(m, bin, f[4], std::atof(f[5].c_str()), std::atof(f[6].c_str()));
        if (f[3] != "-") {
            const pellor::PellorFiles files{bin, dir + f[3], (out / (f[0] + "_Tran.bin")).string(),
                                            (out / (f[0] + "_Tran.lst")).string()};
            row.transport = Timed(3, [&] { return pellor::FitTransport(files, nullptr).status == pellor::kPellorOk; });
            std::filesystem::remove(files.transportBinary);
        }
        rows.push_back(row);
    }
    std::filesystem::remove_all(out);
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.KK < b.KK; });
    std::printf("%-22s %7s %7s %11s %9s %13s %13s %13s %13s %13s %11s %11s\n", "mechanism", "species", "reacts",
                "compile_ms", "rates_us", "rates_sameT_us", "pfa_state_ms", "ecf_state_ms", "drg_state_ms",
                "drgep_state_ms", "ignition_s", "transport_s");
    for (const Row& r : rows) {
        std::printf("%-22s %7d %7d %11.2f %9.2f %13.2f %13.3f %13.3f %13.3f %13.3f %11.3f %11.3f\n", r.name.c_str(),
                    r.KK, r.II, r.compile * 1e3, r.rates * 1e6, r.sameT * 1e6, r.pfaState * 1e3, r.ecfState * 1e3,
                    r.drgState * 1e3, r.drgepState * 1e3, r.ignition, r.transport);
    }
    for (const auto& [label, count] : {std::pair{"exponent vs species", &Row::KK}, {"exponent vs reactions", &Row::II}}) {
        std::printf("%-22s %7s %7s %11.2f %9.2f %13.2f %13.2f %13.2f %13.2f %13.2f %11.2f %11.2f\n", label, "", "",
                    Exponent(rows, &Row::compile, count), Exponent(rows, &Row::rates, count),
                    Exponent(rows, &Row::sameT, count), Exponent(rows, &Row::pfaState, count),
                    Exponent(rows, &Row::ecfState, count), Exponent(rows, &Row::drgState, count),
                    Exponent(rows, &Row::drgepState, count), Exponent(rows, &Row::ignition, count),
                    Exponent(rows, &Row::transport, count));
    }
    for (const Row& r : rows) {
        if (!r.note.empty()) std::printf("%s: %s\n", r.name.c_str(), r.note.substr(0, r.note.find('\n')).c_str());
    }
    return 0;
}
