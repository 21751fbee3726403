// vantor-cli transport: the transport data of a mechanism's species fitted into the transport
// binary (Pellor), with its listing.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "outside/pellor/pellor.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage = "transport CHEM.BIN TRAN.DAT -o Tran.bin [--listing FILE]";

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n\n"
              << "Fits viscosity, thermal conductivity and binary diffusion of every species of the\n"
              << "mechanism binary from the CHEMKIN transport data into the transport binary. Every\n"
              << "species needs an entry; the listing (default: the binary's name with .lst appended)\n"
              << "holds the parameters and fits, or what is missing. Exit status 0 only on success.\n";
}

int RunTransport(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(args, {"-o", "--listing"}, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (!options || options->Positional().size() != 2 || !options->Value("-o")) {
        std::cerr << "vantor-cli transport: " << (error.empty() ? "expected " + std::string(kUsage) : error) << "\n";
        return 2;
    }
    pellor::PellorFiles files;
    files.mechanismBinary = options->Positional()[0];
    files.transportData = options->Positional()[1];
    files.transportBinary = *options->Value("-o");
    files.listing = options->Value("--listing").value_or(files.transportBinary + ".lst");
    const pellor::PellorReport report = pellor::FitTransport(files, nullptr);
    if (report.status != pellor::kPellorOk) {
        std::cerr << "vantor-cli transport: failed with status " << report.status << ": " << report.message << "\n";
        return 1;
    }
    std::cout << "Wrote " << files.transportBinary << " (" << report.fits.names.size() << " species, listing "
              << files.listing << ")\n";
    return 0;
}

const CommandRegistration kRegistration{
    {"transport", kUsage, "fit the transport data of a mechanism binary into a transport binary", &RunTransport}};

}  // namespace
}  // namespace vantor::cli
