#include "cli/ignite_request.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>

#include "chemlib/mechanism.h"
#include "cli/cli_options.h"
#include "cli/mixture_text.h"

namespace vantor::cli {

const char* const kIgniteUsage =
    "Chem.bin [--P atm[,atm..]] [--T K[,K..]] [--X \"NAME amount, ...\" | --X-file FILE]... [--points N] "
    "[--end-time V] [--end-mode tmax|sec|Tig] [--max-time s] [--jobs N] [--save SAVE.dat] [--out Out.dat]";

namespace {


// The defaults of the workbench's parameter grid.
constexpr const char* kDefaultPressures = "1.0,2.0";
constexpr const char* kDefaultTemperatures = "1000,1200";
constexpr const char* kDefaultMixture = "CH4 1, O2 2";
constexpr double kDefaultEndTime = 2.0;
constexpr int kDefaultPoints = 20;
constexpr double kDefaultMaxTime = 1.0e10;
constexpr double kDefaultTimeStep = 1.0e-8;

bool ParseList(const std::string& text, const char* what, std::vector<double>& values, std::string& error) {
    std::stringstream s(text);
    for (std::string token; std::getline(s, token, ',');) {
        if (token.find_first_not_of(' ') == std::string::npos) continue;
        char* end = nullptr;
        const double v = std::strtod(token.c_str(), &end);
        if (end == token.c_str() || std::string(end).find_first_not_of(' ') != std::string::npos) {
            error = std::string(what) + ": '" + token + "' is not a number";
            return false;
        }
        if (!std::isfinite(v)) {
            error = std::string(what) + ": '" + token + "' is not a finite number";
            return false;
        }
        values.push_back(v);
    }
    if (values.empty() || values.size() > static_cast<size_t>(kMaxListValues)) {
        error = std::string(what) + ": expected 1 to " + std::to_string(kMaxListValues) + " values";
        return false;
    }
    return true;
}

// "--X" and "--X-file" may repeat, which the option parser does not keep: take them out first.
std::vector<MixtureArgument> TakeMixtures(std::vector<std::string>& args) {
    std::vector<MixtureArgument> mixtures;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--X" || args[i] == "--X-file") && i + 1 < args.size()) {
            mixtures.push_back({args[i + 1], args[i] == "--X-file"});
            ++i;
        } else {
            rest.push_back(args[i]);
        }
    }
    args = rest;
    return mixtures;
}

bool FillMixture(const chem::Mechanism& mech, const MixtureArgument& mixture, int m, JobRecord& job,
                 std::string& error) {
    std::vector<double> X;
    const bool read = mixture.file ? ReadMixtureFile(mixture.text, mech, X, error)
                                   : ParseMixtureText(mixture.text, mech, X, error);
    const std::string what = mixture.file ? "--X-file " + mixture.text : "--X \"" + mixture.text + "\"";
    if (!read) {
        error = what + ": " + error;
        return false;
    }
    int count = 0;
    for (int32_t k = 1; k <= mech.KK(); ++k) {
        if (X[static_cast<size_t>(k - 1)] <= 0.0) continue;
        if (++count > kMaxListValues) {
            error = what + ": more than " + std::to_string(kMaxListValues) + " species";
            return false;
        }
        job.mixIndex(m, count) = static_cast<int16_t>(k);
        job.mixAmount(m, count) = X[static_cast<size_t>(k - 1)];
    }
    job.mixIndex(m, 0) = static_cast<int16_t>(count);
    return true;
}

bool ReadTimes(const CliOptions& options, JobRecord& job, std::string& error) {
    job.EndTime = kDefaultEndTime;
    job.EndTimeMode = static_cast<int16_t>(senkin::EndTimeMode::IgnitionDelay);
    job.NPoints = kDefaultPoints;
    job.MaxTime = kDefaultMaxTime;
    job.TimeStep = kDefaultTimeStep;
    if (options.Value("--end-time")) {
        const auto v = options.Number("--end-time", error);
        if (!v) return false;
        job.EndTime = *v;
    }
    if (const auto mode = options.Value("--end-mode")) {
        if (*mode == "tmax") {
            job.EndTimeMode = static_cast<int16_t>(senkin::EndTimeMode::HighestTemperature);
        } else if (*mode == "sec") {
            job.EndTimeMode = static_cast<int16_t>(senkin::EndTimeMode::Seconds);
        } else if (*mode != "Tig") {
            error = "--end-mode must be tmax, sec or Tig";
            return false;
        }
    }
    if (options.Value("--points")) {
        const auto v = options.Number("--points", error);
        if (!v) return false;
        if (*v < 1 || *v > senkin::kMaxPointsPerCase || *v != static_cast<int>(*v)) {
            error = "--points must be a whole number from 1 to " + std::to_string(senkin::kMaxPointsPerCase);
            return false;
        }
        job.NPoints = static_cast<int16_t>(*v);
    }
    if (options.Value("--max-time")) {
        const auto v = options.Number("--max-time", error);
        if (!v) return false;
        job.MaxTime = *v;
    }
    return true;
}

}  // namespace

void PrintIgniteHelp(const std::string& program) {
    std::cout << "Usage: " << program << " " << kIgniteUsage << "\n\n"
              << "Runs a homogeneous, adiabatic, constant-pressure ignition for every combination of\n"
              << "mixture (--X, may be given several times), pressure (--P, atm) and temperature (--T, K),\n"
              << "mixture outermost, and prints a table: ignition delay (time of the largest dT/dt),\n"
              << "(--X-file FILE gives a mixture as one \"NAME amount\" a line, for names holding commas)\n"
              << "temperature rise, final temperature, integrator steps and wall time of each case.\n"
              << "Defaults are those of the workbench's parameter grid: --P " << kDefaultPressures << " --T "
              << kDefaultTemperatures << " --X \"" << kDefaultMixture << "\",\n"
              << "--end-time 2 --end-mode Tig (2 x the ignition delay), --points 20, --max-time 1e10.\n"
              << "--save writes the standard data, --out the run listing. --jobs N runs N cases at once\n"
              << "(default: every core). Exit status 0 only on success.\n";
}


int ParseIgniteRequest(const std::vector<std::string>& arguments, const std::string& program, IgniteRequest& request,
                       std::string& error) {
    std::vector<std::string> args = arguments;
    std::vector<MixtureArgument> mixtures = TakeMixtures(args);
    // --X and --X-file stay known so that one left without its value says so.
    const std::set<std::string> valued = {"--P",      "--T",    "--points", "--end-time", "--end-mode", "--max-time",
                                          "--jobs",   "--save", "--out",    "--X",        "--X-file"};
    const auto options = CliOptions::Parse(args, valued, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintIgniteHelp(program);
        return -1;
    }
    if (!options || options->Positional().size() != 1) {
        if (error.empty()) error = "expected " + std::string(kIgniteUsage);
        return 2;
    }
    if (mixtures.empty()) mixtures.push_back({kDefaultMixture});
    if (mixtures.size() > static_cast<size_t>(kMaxListValues)) {
        error = "at most " + std::to_string(kMaxListValues) + " mixtures";
        return 2;
    }
    const std::string binary = options->Positional()[0];
    chem::Mechanism mech;
    std::ostringstream messages;
    if (const int32_t loaded = mech.Load(binary, messages); loaded != 0) {
        error = "cannot load " + binary + " (status " + std::to_string(loaded) + ")\n" + messages.str();
        return 1;
    }

    JobRecord& job = request.job;
    std::vector<double> pressures, temperatures;
    bool ok = ParseList(options->Value("--P").value_or(kDefaultPressures), "--P", pressures, error) &&
              ParseList(options->Value("--T").value_or(kDefaultTemperatures), "--T", temperatures, error) &&
              ReadTimes(*options, job, error);
    for (size_t m = 0; ok && m < mixtures.size(); ++m) {
        ok = FillMixture(mech, mixtures[m], static_cast<int>(m) + 1, job, error);
    }
    senkin::RunOptions& run = request.run;
    if (ok && options->Value("--jobs")) {
        const auto jobs = options->Number("--jobs", error);
        ok = jobs && *jobs >= 1 && *jobs <= 1024;
        if (jobs && !ok) error = "--jobs must be from 1 to 1024";
        if (ok) run.threads = static_cast<int>(*jobs);
    }
    if (!ok) return 2;
    job.NPress = static_cast<int16_t>(pressures.size());
    job.NTemp = static_cast<int16_t>(temperatures.size());
    job.NMix = static_cast<int16_t>(mixtures.size());
    std::copy(pressures.begin(), pressures.end(), job.Press);
    std::copy(temperatures.begin(), temperatures.end(), job.Temp);
    job.Marker = 99;

    request.mixtures = mixtures;
    request.files = senkin::IgnitionFiles{binary, options->Value("--save").value_or(""),
                                      options->Value("--out").value_or(""),
                                      std::filesystem::path(binary).filename().string()};
    return 0;
}

void PrintIgniteTable(const senkin::RunReport& report, const std::vector<MixtureArgument>& mixtures) {
    for (size_t m = 0; m < mixtures.size(); ++m) std::cout << "Mixture " << m + 1 << ": " << mixtures[m].Label() << "\n";
    std::cout << "\n Case     P (atm)       T (K)  Mix  Ignition delay (s)  Rise (K)  Final T (K)   Steps  Wall (s)\n";
    for (const auto& c : report.cases) {
        if (!c.finished) continue;
        const auto& o = c.outcome;
        char delay[32];
        if (o.ignited) {
            std::snprintf(delay, sizeof delay, "%18.6E", o.ignition.delay);
        } else {
            std::snprintf(delay, sizeof delay, "%18s", "no ignition");
        }
        std::printf("%5d %11.6g %11.6g %4d  %s %9.2f %12.2f %7ld %9.3f\n", c.ignitionCase.number,
                    c.ignitionCase.pressureAtm, c.ignitionCase.temperature, c.ignitionCase.mixture + 1, delay,
                    o.ignition.rise, o.ignition.finalTemperature, o.steps, c.wallSeconds);
    }
    std::fflush(stdout);
}

}  // namespace vantor::cli
