// vantor-cli rates: forward and reverse rates of progress of every reaction at one state, for
// inspecting a mechanism binary.

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
#include "cli/reaction_text.h"
#include "common/fixed_format.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage = "rates Chem.bin --T K --P atm (--X \"NAME amount, ...\" | --X-file FILE)";

// The first reaction (1-based) whose forward or reverse rate is not finite, 0 when none is.
int32_t FirstNonFiniteRate(const std::vector<double>& qf, const std::vector<double>& qr) {
    for (size_t i = 0; i < qf.size(); ++i) {
        if (!std::isfinite(qf[i]) || !std::isfinite(qr[i])) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n\n"
              << "Loads the mechanism binary and prints, for every reaction in mechanism order, its\n"
              << "forward and reverse rate of progress in mol/(cm3 s) at temperature T (K), pressure\n"
              << "P (atm) and the composition X (amounts, normalised to mole fractions; species not\n"
              << "named are 0). --X-file reads the composition from a file, one \"NAME amount\" a line,\n"
              << "for names that hold commas. Numbers are written with every digit needed to read them back.\n";
}

int RunRates(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(args, {"--T", "--P", "--X", "--X-file"}, {"--help", "-h"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (!options || options->Positional().size() != 1) {
        std::cerr << "vantor-cli rates: " << (error.empty() ? "expected " + std::string(kUsage) : error) << "\n";
        return 2;
    }
    const auto T = options->Number("--T", error);
    const auto P = T ? options->Number("--P", error) : std::nullopt;
    const auto mixtureText = options->Value("--X"), mixtureFile = options->Value("--X-file");
    if (!T || !P || !mixtureText == !mixtureFile) {
        std::cerr << "vantor-cli rates: "
                  << (error.empty() ? "give the composition once, with --X or with --X-file" : error) << "\n";
        return 2;
    }
    const double temperature = *T, pressure = *P;
    if (!(temperature > 0.0) || !(pressure > 0.0)) {
        std::cerr << "vantor-cli rates: temperature and pressure must be above 0\n";
        return 2;
    }

    chem::Mechanism mech;
    std::ostringstream messages;
    if (const int32_t flag = mech.Load(options->Positional()[0], messages); flag != 0) {
        std::cerr << "vantor-cli rates: cannot load " << options->Positional()[0] << " (error " << flag << ")\n"
                  << messages.str();
        return 1;
    }
    std::vector<double> X;
    if (mixtureText ? !ParseMixtureText(*mixtureText, mech, X, error) : !ReadMixtureFile(*mixtureFile, mech, X, error)) {
        std::cerr << "vantor-cli rates: " << (mixtureText ? "--X: " : "--X-file: ") << error << "\n";
        return 2;
    }
    std::vector<double> Y(mech.KK()), wdot(mech.KK()), qf(mech.II()), qr(mech.II());
    mech.MoleToMassFractions(X.data(), Y.data());
    std::ostringstream rateMessages;
    if (const int32_t status = mech.ProductionRates(rateMessages, pressure * chem::kAtmosphere, temperature, Y.data(), wdot.data(),
                                                    qf.data(), qr.data());
        status != 0) {
        std::cerr << "vantor-cli rates: evaluation failed (status " << status << "): " << rateMessages.str();
        return 1;
    }
    if (const int32_t i = FirstNonFiniteRate(qf, qr); i > 0) {
        std::cerr << "vantor-cli rates: reaction " << i << " has a rate of progress that is not a finite number at T = "
                  << FormatFull(temperature) << " K, P = " << FormatFull(pressure) << " atm (forward "
                  << FormatFull(qf[i - 1]) << ", reverse " << FormatFull(qr[i - 1]) << ")\n";
        return 1;
    }
    std::cout << "# reaction  forward  reverse  [mol/(cm3 s)]  equation\n";
    for (int32_t i = 1; i <= mech.II(); ++i) {
        std::cout << i << " " << FormatFull(qf[i - 1]) << " " << FormatFull(qr[i - 1]) << "  "
                  << ReactionEquationText(mech, i) << "\n";
    }
    return 0;
}

const CommandRegistration kRegistration{
    {"rates", kUsage, "print forward and reverse rates of progress of every reaction at one state", &RunRates}};

}  // namespace
}  // namespace vantor::cli
