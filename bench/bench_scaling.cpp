// Growth with the mechanism: for every corpus mechanism that compiles (tests/data/corpus/MANIFEST.tsv)
// the compile time, one full rates evaluation, one at an unchanged temperature and, where the
// manifest names a mixture, one ignition case on one core (20 points, to 2 s); then the fitted
// exponent of each against the species and the reaction counts (time ~ count^k, least squares in
// log-log). Process CPU times, medians over repeats.
//   build/bin/bench_scaling

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

#include "chemlib/mechanism.h"
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
    double compile = NAN, rates = NAN, sameT = NAN, ignition = NAN;  // s, s, s, s
};

// Microseconds per evaluation, alternating between two temperatures or keeping one.
double RatesSeconds(chem::Mechanism& m, bool sameTemperature) {
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
                   if (m.ProductionRates(msg, 1013250.0, T, Y.data(), wdot.data(), qf.data(), qr.data()) != 0)
                       return false;
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

int main() {
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
        row.rates = RatesSeconds(m, false);
        row.sameT = RatesSeconds(m, true);
        if (f[4] != "-") row.ignition = IgnitionSeconds(m, bin, f[4], std::atof(f[5].c_str()), std::atof(f[6].c_str()));
        rows.push_back(row);
    }
    std::filesystem::remove_all(out);
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.KK < b.KK; });
    std::printf("%-22s %7s %7s %12s %12s %14s %12s\n", "mechanism", "species", "reacts", "compile_ms", "rates_us",
                "rates_sameT_us", "ignition_s");
    for (const Row& r : rows) {
        std::printf("%-22s %7d %7d %12.2f %12.2f %14.2f %12.3f\n", r.name.c_str(), r.KK, r.II, r.compile * 1e3,
                    r.rates * 1e6, r.sameT * 1e6, r.ignition);
    }
    std::printf("%-22s %7s %7s %12.2f %12.2f %14.2f %12.2f\n", "exponent vs species", "", "",
                Exponent(rows, &Row::compile, &Row::KK), Exponent(rows, &Row::rates, &Row::KK),
                Exponent(rows, &Row::sameT, &Row::KK), Exponent(rows, &Row::ignition, &Row::KK));
    std::printf("%-22s %7s %7s %12.2f %12.2f %14.2f %12.2f\n", "exponent vs reactions", "", "",
                Exponent(rows, &Row::compile, &Row::II), Exponent(rows, &Row::rates, &Row::II),
                Exponent(rows, &Row::sameT, &Row::II), Exponent(rows, &Row::ignition, &Row::II));
    return 0;
}
