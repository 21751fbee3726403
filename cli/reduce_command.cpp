// vantor-cli reduce: one reduction run (KELDA, MORVA, BRENA or TOVIK) on given files.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "common/job_record.h"
#include "common/path_field.h"
#include "engine/common/engine_status.h"
#include "common/engine_method.h"
#include "engine/brena/brena_entry.h"
#include "engine/kelda/kelda_entry.h"
#include "engine/morva/morva_entry.h"
#include "engine/tovik/tovik_entry.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage =
    "reduce --method pfa|ecf|drg|drgep --bin Chem.bin --save SAVE.dat --out Out.dat --trim SP.TRM [--threshold X] "
    "[--heat-kept R]";

// The parameter grid's defaults: threshold 0.98 (handed to PFA as 2 - 2 x 0.98) and heat kept ratio 0.
constexpr double kHeatKeptRatio = 0.0;
constexpr double kGridThreshold = 0.98;

struct EngineChoice {
    const char* name;
    int32_t (*run)(const JobRecord*, int32_t*, double*);
    const engine::EngineStatusCodes* codes;
};

EngineChoice ChooseEngine(EngineMethod method) {
    switch (method) {
        case EngineMethod::Ecf: return {"MORVA", &engine::RunMorva, &engine::kMorvaStatus};
        case EngineMethod::Drg: return {"BRENA", &engine::RunBrena, &engine::kBrenaStatus};
        case EngineMethod::Drgep: return {"TOVIK", &engine::RunTovik, &engine::kTovikStatus};
        case EngineMethod::Pfa: break;
    }
    return {"KELDA", &engine::RunKelda, &engine::kKeldaStatus};
}

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n\n"
              << "Runs one reduction engine on a mechanism binary and its standard data (the recorded\n"
              << "states of the ignition runs) and writes the run listing and the trimmed-species file.\n"
              << "  --method     pfa (path flux analysis, KELDA), ecf (MORVA), drg (BRENA) or drgep (TOVIK)\n"
              << "  --threshold  as the engine compares it: for pfa a coefficient limit (default 0.04,\n"
              << "               the window's 0.98 as 2 - 2 x 0.98), for ecf the cumulative share\n"
              << "               (default 0.98), for drg and drgep a coefficient limit in 0..1 (default\n"
              << "               0.0004, the window's 0.98 as (1 - 0.98)^2)\n"
              << "drg and drgep search from the initial species of each case and from the species named\n"
              << "in the target list beside --trim (SP.TRM -> SP.TGT), when there is one.\n"
              << "  --heat-kept  share of the reaction enthalpy whose reactions' species start the\n"
              << "               search besides the initial species (default 0.0)\n"
              << "Prints the engine's status and result and the trimmed species. An earlier trimmed-\n"
              << "species file is replaced only by a successful run. Exit status 0 only on success.\n";
}

// The listing's last lines carry the failure; show them so the user need not open the file.
void PrintListingTail(const std::string& path, size_t lines) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        all.push_back(line.size() > 300 ? line.substr(0, 300) + " ..." : line);
    }
    const size_t from = all.size() > lines ? all.size() - lines : 0;
    for (size_t i = from; i < all.size(); ++i) std::cerr << "  " << all[i] << "\n";
}

// The trimmed-species file's title, then every trimmed species by number and name.
void PrintTrimmedSpecies(const std::string& trimPath, const std::string& binPath) {
    std::ifstream in(trimPath, std::ios::binary);
    std::string title;
    std::getline(in, title);
    if (!title.empty() && title.back() == '\r') title.pop_back();
    std::cout << title << "\n";
    chem::Mechanism mech;
    std::ostringstream messages;
    const bool named = mech.Load(binPath, messages) == 0;
    for (long number; in >> number;) {
        std::cout << "  " << number;
        if (named && number >= 1 && number <= mech.KK()) std::cout << " " << mech.SpeciesName(static_cast<int32_t>(number));
        std::cout << "\n";
    }
}

bool SetPath(const std::string& option, const std::string& path, PathField& field) {
    if (EncodePathField(path, field)) return true;
    std::cerr << "vantor-cli reduce: " << option << " " << path
              << ": not a valid path of at most 99 UTF-16 characters\n";
    return false;
}

std::string CheckArguments(const CliOptions& options) {
    for (const char* key : {"--method", "--bin", "--save", "--out", "--trim"}) {
        if (!options.Value(key)) return std::string("missing option ") + key;
    }
    if (!options.Positional().empty()) return "unexpected argument " + options.Positional()[0];
    const std::string method = *options.Value("--method");
    if (!MethodFromOption(method)) return "--method must be pfa, ecf, drg or drgep, not " + method;
    return "";
}

int RunReduce(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(
        args, {"--method", "--bin", "--save", "--out", "--trim", "--threshold", "--heat-kept"}, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (options) error = CheckArguments(*options);
    if (!error.empty()) {
        std::cerr << "vantor-cli reduce: " << error << "\nUsage: vantor-cli " << kUsage << "\n";
        return 2;
    }
    const EngineMethod method = *MethodFromOption(*options->Value("--method"));
    const EngineChoice engine = ChooseEngine(method);
    const double threshold = options->Has("--threshold") ? options->Number("--threshold", error).value_or(0.0)
                                                         : EngineThreshold(method, kGridThreshold);
    const double heatKept =
        options->Has("--heat-kept") ? options->Number("--heat-kept", error).value_or(0.0) : kHeatKeptRatio;
    if (!error.empty()) {
        std::cerr << "vantor-cli reduce: " << error << "\n";
        return 2;
    }

    JobRecord job{};
    for (PathField* f : {&job.StartDir, &job.TmpFile, &job.InpFile, &job.ThermFile, &job.TranDatFile, &job.TranspBinFile})
        ClearPathField(*f);
    const std::string bin = *options->Value("--bin"), out = *options->Value("--out"), trim = *options->Value("--trim");
    if (!SetPath("--bin", bin, job.MechBinFile) || !SetPath("--out", out, job.OutFile) ||
        !SetPath("--trim", trim, job.TrimFile) || !SetPath("--save", *options->Value("--save"), job.SaveFile))
        return 2;
    job.Threshold = threshold;
    job.HeatKeptRatio = heatKept;
    job.Marker = 99;

    int32_t status = 0;
    double progress = 0.0;
    const int32_t result = engine.run(&job, &status, &progress);
    std::cout << engine.name << ": status " << status << ", result " << result << "\n";
    if (status != 0) {
        const engine::EngineStatusCodes& codes = *engine.codes;
        std::error_code ec;
        // A listing that could not be written may be an earlier run's: it is not shown.
        if (status == codes.listingOpen || status == codes.listingWrite || !std::filesystem::is_regular_file(out, ec)) {
            std::cerr << "vantor-cli reduce: failed with status " << status << "; the listing " << out
                      << " was not written\n";
        } else {
            std::cerr << "vantor-cli reduce: failed with status " << status << "; from the listing " << out << ":\n";
            PrintListingTail(out, 6);
        }
        return 1;
    }
    PrintTrimmedSpecies(trim, bin);
    return 0;
}

const CommandRegistration kRegistration{
    {"reduce", kUsage, "run a reduction engine and write the trimmed-species file", &RunReduce}};

}  // namespace
}  // namespace vantor::cli
