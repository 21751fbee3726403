// vantor-cli compile: CHEMKIN input and thermodynamic data into a mechanism binary.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/core/yaml/mechanism_conversion.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "outside/tolmar/tolmar.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage = "compile CHEM.INP [THERM.DAT] -o Chem.bin [--listing FILE]";

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n\n"
              << "Compiles a CHEMKIN mechanism input and its thermodynamic data into the mechanism\n"
              << "binary the engines and the ignition runs read. THERM.DAT may be left out when the\n"
              << "input has its own THERMO ALL section. The listing (default: the binary's name\n"
              << "with .lst appended) summarises elements, species and reactions, or names the file,\n"
              << "line and text of the first error. A Cantera YAML mechanism (*.yaml, *.yml) is first\n"
              << "converted to CHEMKIN files beside the binary. Exit status 0 only on success.\n";
}

// The listing's last lines carry the error; show them so the user need not open the file.
void PrintListingTail(const std::string& path, size_t lines) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;  // a device such as /dev/full reads without end
    std::ifstream in(path);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        all.push_back(line);
    }
    const size_t from = all.size() > lines ? all.size() - lines : 0;
    for (size_t i = from; i < all.size(); ++i) std::cerr << "  " << all[i] << "\n";
}

int RunCompile(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(args, {"-o", "--listing"}, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (!options || options->Positional().empty() || options->Positional().size() > 2 || !options->Value("-o")) {
        std::cerr << "vantor-cli compile: " << (error.empty() ? "expected " + std::string(kUsage) : error) << "\n";
        return 2;
    }
    std::string inp = options->Positional()[0];
    std::string therm = options->Positional().size() == 2 ? options->Positional()[1] : "";
    const std::string bin = *options->Value("-o");
    const std::string listing = options->Value("--listing").value_or(bin + ".lst");
    if (yaml::IsYamlMechanismPath(inp)) {
        // Compiled from the CHEMKIN files it converts to, written beside the binary.
        yaml::ChemkinPaths converted;
        const std::string folder = std::filesystem::path(bin).parent_path().string();
        if (!yaml::ConvertYamlToChemkin(inp, folder, converted, &error)) {
            std::cerr << "vantor-cli compile: " << error << "\n";
            return 1;
        }
        if (!therm.empty()) std::cerr << "vantor-cli compile: " << therm << " not read: the YAML file has its own thermo data\n";
        std::cout << "Converted " << inp << " to " << converted.mechanism << " and " << converted.thermo << "\n";
        inp = converted.mechanism;
        therm = converted.thermo;
    }

    const int32_t status = tolmar::CompileMechanismFiles(inp, therm, bin, listing);
    if (status != 0) {
        std::cerr << "vantor-cli compile: failed with status " << status << "; from the listing " << listing << ":\n";
        PrintListingTail(listing, 6);
        return 1;
    }
    std::cout << "Wrote " << bin << " (listing " << listing << ")\n";
    return 0;
}

const CommandRegistration kRegistration{{"compile", kUsage, "compile a CHEMKIN mechanism into a mechanism binary",
                                         &RunCompile}};

}  // namespace
}  // namespace vantor::cli
