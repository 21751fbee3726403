// vantor-cli flame: freely propagating premixed flames (PREMIX) of one mixture, or of the same
// fuel and oxidizer at several equivalence ratios, with a table of burning speeds.

#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism_layout.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/mixture_text.h"
#include "outside/mixture/equivalence_ratio.h"
#include "outside/mixture/mixture_transport.h"
#include "outside/pellor/transport_binary.h"
#include "outside/premix/flame.h"
#include "outside/premix/flame_data.h"
#include "outside/premix/premix_status.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage =
    "flame CHEM.BIN TRAN.BIN --P atm --T K --X \"CH4 1, O2 2, N2 7.52\" [--phi-list 0.7,1.0,1.3] "
    "[--thermal-diffusion] [--slope 0.07] [--curvature 0.14] [--save FILE]";

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n\n"
              << "Solves the adiabatic freely propagating premixed flame of the unburned mixture --X at\n"
              << "--P and --T with mixture-averaged transport. With --phi-list the fuel of --X (species\n"
              << "with C or H) is scaled to each equivalence ratio, the oxidizer kept. Prints phi, the\n"
              << "burning speed, the grid points and the wall time per case; progress goes to stderr.\n"
              << "--slope and --curvature are the grid's refinement criteria (fractions of each\n"
              << "profile's range); a last pass refines to half of them, and each case's last progress\n"
              << "line gives the speed after both passes (what the finer pass changed, at least as much\n"
              << "is left to a converged grid). --save writes the profiles as flame data. Exit status 0\n"
              << "only when every case converged.\n";
}

bool ParsePhiList(const std::string& text, std::vector<double>& phis, std::string& error) {
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        char* end = nullptr;
        const double v = std::strtod(item.c_str(), &end);
        if (item.empty() || end == item.c_str() || *end != '\0' || !(v > 0.0) || v > 1e3) {
            error = "--phi-list: \"" + item + "\" is not a positive equivalence ratio";
            return false;
        }
        phis.push_back(v);
    }
    if (phis.empty()) error = "--phi-list is empty";
    return !phis.empty();
}

int CaseStatus(premix::FlameOutcome outcome) {
    switch (outcome) {
        case premix::FlameOutcome::kConverged: return premix::kPremixOk;
        case premix::FlameOutcome::kNotFlammable: return premix::kPremixNotFlammable;
        case premix::FlameOutcome::kRateFailure: return premix::kPremixRateFailure;
        case premix::FlameOutcome::kNoConvergence: break;
    }
    return premix::kPremixNoConvergence;
}

int RunFlame(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(args, {"--P", "--T", "--X", "--phi-list", "--save", "--slope", "--curvature"},
                                           {"--thermal-diffusion", "--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (!options || options->Positional().size() != 2 || !options->Value("--X")) {
        std::cerr << "vantor-cli flame: " << (error.empty() ? "expected " + std::string(kUsage) : error) << "\n";
        return 2;
    }
    const auto P = options->Number("--P", error);
    const auto T = P ? options->Number("--T", error) : std::nullopt;
    if (!P || !T || !(*P > 0.0) || !(*T > 0.0)) {
        std::cerr << "vantor-cli flame: " << (error.empty() ? "--P and --T must be positive" : error) << "\n";
        return 2;
    }
    chem::Mechanism mech;
    std::ostringstream loadMessages;
    if (mech.Load(options->Positional()[0], loadMessages) != 0) {
        std::cerr << "vantor-cli flame: cannot load " << options->Positional()[0] << ": " << loadMessages.str() << "\n";
        return 1;
    }
    pellor::TransportFits fits;
    mixture::MixtureTransport transport;
    if (!pellor::ReadTransportBinary(options->Positional()[1], fits, error) || !transport.Bind(mech, fits, error)) {
        std::cerr << "vantor-cli flame: " << options->Positional()[1] << ": " << error << "\n";
        return 1;
    }
    std::vector<double> amounts;
    if (!ParseMixtureText(*options->Value("--X"), mech, amounts, error)) {
        std::cerr << "vantor-cli flame: --X: " << error << "\n";
        return 2;
    }
    double slope = 0.07, curvature = 0.14;
    for (auto [key, target] : {std::pair{"--slope", &slope}, std::pair{"--curvature", &curvature}}) {
        if (!options->Value(key)) continue;
        const auto v = options->Number(key, error);
        if (!v || !(*v > 0.0 && *v < 1.0)) {
            std::cerr << "vantor-cli flame: " << key << " must lie between 0 and 1\n";
            return 2;
        }
        *target = *v;
    }
    std::vector<double> phis;
    if (options->Value("--phi-list") && !ParsePhiList(*options->Value("--phi-list"), phis, error)) {
        std::cerr << "vantor-cli flame: " << error << "\n";
        return 2;
    }
    std::vector<std::vector<double>> mixtures;
    if (phis.empty()) mixtures.push_back(amounts);
    for (double phi : phis) {
        std::vector<double> X;
        if (!mixture::MixtureAtEquivalenceRatio(mech, amounts, phi, X, error)) {
            std::cerr << "vantor-cli flame: --phi-list " << phi << ": " << error << "\n";
            return 2;
        }
        mixtures.push_back(std::move(X));
    }
    std::vector<premix::FlameCaseData> saved;
    bool allConverged = true;
    std::printf("%10s %16s %7s %10s  %s\n", "phi", "S_L(cm/s)", "points", "wall(s)", "status");
    for (size_t c = 0; c < mixtures.size(); ++c) {
        premix::FlameRequest request;
        request.pressure = *P * chem::kAtmosphere;
        request.temperature = *T;
        request.moleFractions = mixtures[c];
        request.thermalDiffusion = options->Has("--thermal-diffusion");
        request.slope = slope;
        request.curvature = curvature;
        request.progress = [](const std::string& line) { std::cerr << "  " << line << "\n"; };
        const auto start = std::chrono::steady_clock::now();
        const premix::FlameResult result = premix::SolveFlame(mech, transport, request);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double phi = mixture::EquivalenceRatio(mech, mixtures[c]);
        const bool ok = result.outcome == premix::FlameOutcome::kConverged;
        allConverged = allConverged && ok;
        std::printf("%10.4f %16.6f %7zu %10.2f  %s\n", phi, ok ? result.flameSpeed : 0.0, result.x.size(), wall,
                    result.message.c_str());
        std::fflush(stdout);
        premix::FlameCaseData data;
        data.number = static_cast<int>(c) + 1;
        data.pressureAtm = *P;
        data.temperature = *T;
        data.phi = phi;
        data.status = CaseStatus(result.outcome);
        data.flameSpeed = ok ? result.flameSpeed : 0.0;
        data.message = result.message;
        data.x = result.x;
        data.temperatureProfile = result.temperature;
        data.velocity = result.velocity;
        data.heatRelease = result.heatRelease;
        data.moleFractions = result.moleFractions;
        saved.push_back(std::move(data));
    }
    if (const auto save = options->Value("--save")) {
        std::vector<std::string> names;
        for (int k = 1; k <= mech.KK(); ++k) names.push_back(mech.SpeciesName(k));
        if (!premix::WriteFlameData(*save, names, saved, error)) {
            std::cerr << "vantor-cli flame: " << error << "\n";
            return 1;
        }
    }
    return allConverged ? 0 : 1;
}

const CommandRegistration kRegistration{
    {"flame", kUsage, "freely propagating premixed flames: burning speeds and profiles", &RunFlame}};

}  // namespace
}  // namespace vantor::cli
