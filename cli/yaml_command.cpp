// vantor-cli yaml: a whole CHEMKIN mechanism (with its thermo and transport files) as Cantera YAML.

#include <iostream>
#include <string>
#include <vector>

#include "app/core/yaml/mechanism_conversion.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage = "yaml CHEM.INP [THERM.DAT] [TRAN.DAT] -o MECH.yaml";

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n\n"
              << "Writes the mechanism as a Cantera 3 YAML file: one ideal-gas phase \"gas\", the species\n"
              << "with NASA7 thermo (and transport when TRAN.DAT is given) and every reaction, in the\n"
              << "mechanism's own units. Give \"-\" for THERM.DAT when the input has its own THERMO ALL\n"
              << "section. Reactions Cantera cannot hold (LT, JAN, FIT1, ...) are refused by name.\n"
              << "Load the result with ct.Solution(\"MECH.yaml\"). Exit status 0 only on success.\n";
}

int RunYaml(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(args, {"-o"}, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (!options || options->Positional().empty() || options->Positional().size() > 3 || !options->Value("-o")) {
        std::cerr << "vantor-cli yaml: " << (error.empty() ? "expected " + std::string(kUsage) : error) << "\n";
        return 2;
    }
    const auto& files = options->Positional();
    const auto optional = [&](size_t i) { return i < files.size() && files[i] != "-" ? files[i] : std::string(); };
    const yaml::ChemkinPaths sources{files[0], optional(1), optional(2)};
    const std::string out = *options->Value("-o");
    if (!yaml::ConvertChemkinToYaml(sources, out, &error)) {
        std::cerr << "vantor-cli yaml: " << error << "\n";
        return 1;
    }
    std::cout << "Wrote " << out << "\n";
    return 0;
}

const CommandRegistration kRegistration{{"yaml", kUsage, "write a CHEMKIN mechanism as Cantera YAML", &RunYaml}};

}  // namespace
}  // namespace vantor::cli
