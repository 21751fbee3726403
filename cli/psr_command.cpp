// vantor-cli psr: the extinction residence time of the perfectly stirred reactor for an inlet
// mixture, or for that mixture's fuel and oxidizer at each equivalence ratio of a list.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/mixture_text.h"
#include "common/atomic_file.h"
#include "outside/mixture/equivalence_ratio.h"
#include "outside/psr/psr_data.h"
#include "outside/psr/psr_run.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage =
    "psr CHEM.BIN --P atm --T K --X \"H2 2, O2 1, N2 3.76\" [--phi-list 0.5,1.0] [--save FILE]";

bool ParsePhiList(const std::string& text, std::vector<double>& phis, std::string& error) {
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        size_t used = 0;
        double value = 0.0;
        try {
            value = std::stod(item, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || item.find_first_not_of(" \t", used) != std::string::npos || !(value > 0.0) ||
            !std::isfinite(value)) {
            error = "--phi-list: \"" + item + "\" is not an equivalence ratio above 0";
            return false;
        }
        phis.push_back(value);
    }
    if (phis.empty()) error = "--phi-list names no equivalence ratio";
    return !phis.empty();
}

std::string Line(const psr::PsrCaseResult& c) {
    const auto& s = c.summary;
    char buffer[400];
    if (s.status == psr::kPsrOk) {
        std::snprintf(
            buffer, sizeof buffer,
            "case %d  phi %.4g  tau_ext %.6e s  T_ext %.2f K  branch points %d  Newton iterations %d  wall %.3f s",
            s.number, s.phi, s.extinctionTime, s.extinctionTemperature, s.points, c.newtonIterations, c.wallSeconds);
    } else {
        std::snprintf(buffer, sizeof buffer, "case %d  phi %.4g  status %d  wall %.3f s  ", s.number, s.phi, s.status,
                      c.wallSeconds);
    }
    return std::string(buffer) + (s.status == psr::kPsrOk ? "" : s.message);
}

int RunPsrCommand(const std::vector<std::string>& args) {
    std::string error;
    const auto options =
        CliOptions::Parse(args, {"--P", "--T", "--X", "--phi-list", "--save"}, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        std::cout << "usage: vantor-cli " << kUsage << "\n"
                  << "  Follows the burning branch of the adiabatic stirred reactor from tau = 1 s down to its\n"
                  << "  turning point; one line per case with the extinction residence time and temperature.\n"
                  << "  --phi-list rescales the fuel of --X (species with C or H) to each equivalence ratio.\n";
        return 0;
    }
    if (!options || options->Positional().size() != 1 || !options->Value("--X")) {
        std::cerr << "vantor-cli psr: " << (error.empty() ? std::string("expected ") + kUsage : error) << "\n";
        return 2;
    }
    const auto P = options->Number("--P", error);
    const auto T = P ? options->Number("--T", error) : std::nullopt;
    if (!P || !T || !(*P > 0.0) || !(*T > 0.0)) {
        std::cerr << "vantor-cli psr: " << (error.empty() ? "--P and --T must be above 0" : error) << "\n";
        return 2;
    }
    const std::string binary = options->Positional()[0];
    chem::Mechanism mech;
    std::ostringstream messages;
    if (const int32_t loaded = mech.Load(binary, messages); loaded != 0) {
        std::cerr << "vantor-cli psr: cannot load " << binary << " (status " << loaded << ")\n" << messages.str();
        return 1;
    }
    std::vector<double> X;
    if (!ParseMixtureText(*options->Value("--X"), mech, X, error)) {
        std::cerr << "vantor-cli psr: --X: " << error << "\n";
        return 2;
    }
    std::vector<std::vector<double>> inlets;
    if (const auto list = options->Value("--phi-list")) {
        std::vector<double> phis;
        if (!ParsePhiList(*list, phis, error)) {
            std::cerr << "vantor-cli psr: " << error << "\n";
            return 2;
        }
        for (const double phi : phis) {
            std::vector<double> atPhi;
            if (!mixture::MixtureAtEquivalenceRatio(mech, X, phi, atPhi, error)) {
                std::cerr << "vantor-cli psr: --phi-list " << phi << ": " << error << "\n";
                return 2;
            }
            inlets.push_back(std::move(atPhi));
        }
    } else {
        inlets.push_back(X);
    }
    std::string data = psr::StirredReactorDataHeader();
    bool allFound = true;
    for (size_t i = 0; i < inlets.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const psr::PsrCaseResult c = psr::RunStirredReactorCase(
            mech, number, *P, *T, inlets[i],
            [number](const std::string& line) { std::cerr << "case " << number << ": " << line << "\n"; });
        std::cout << Line(c) << std::endl;
        data += psr::StirredReactorCaseBlock(c.summary);
        allFound = allFound && c.summary.status == psr::kPsrOk;
    }
    if (const auto save = options->Value("--save")) {
        if (!WriteFileAtomically(*save, data, &error)) {
            std::cerr << "vantor-cli psr: the data file cannot be written: " << error << "\n";
            return 1;
        }
        std::cout << "Data written to " << *save << "\n";
    }
    return allFound ? 0 : 1;
}

const CommandRegistration kRegistration{
    {"psr", kUsage, "extinction residence time of the perfectly stirred reactor per case", &RunPsrCommand}};

}  // namespace
}  // namespace vantor::cli
