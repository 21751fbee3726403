#include "app/core/mechanism/mixture_wizard.h"

#include "app/core/mechanism/text_format.h"

namespace vantor {

std::optional<std::string> FuelLine(const std::string& selectedSpecies, const std::string& moleText,
                                    const NumberParser& parse) {
    if (!parse(TrimBlanks(moleText))) return std::nullopt;
    return selectedSpecies + " " + moleText;
}

double OxygenDemandPerMole(std::string_view name) {
    double demand = 0.0;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        double weight = 0.0;
        if (c == 'C' || c == 'c') weight = 1.0;
        else if (c == 'H' || c == 'h') weight = 0.25;
        else if (c == 'O' || c == 'o') weight = -0.5;
        else continue;
        double count = 0.0;
        size_t j = i + 1;
        for (; j < name.size() && name[j] >= '0' && name[j] <= '9'; ++j) count = count * 10.0 + (name[j] - '0');
        if (j == i + 1) count = 1.0;
        demand += weight * count;
    }
    return demand;
}

OxidizerNaming DetectOxidizerNaming(const std::vector<std::string>& speciesNames, bool previousLowerCase) {
    OxidizerNaming naming;
    naming.lowerCase = previousLowerCase;
    for (const auto& name : speciesNames) {
        if (name == "O2") return {false, "AIR", "O2"};
        if (name == "o2") return {true, "air", "o2"};
    }
    return naming;
}

std::vector<FuelComponent> ParseFuelLines(const std::vector<std::string>& lines, const NumberParser& parse) {
    std::vector<FuelComponent> components;
    for (const auto& raw : lines) {
        const std::string line = TrimBlanks(raw);
        const size_t blank = line.find(' ');
        if (blank == std::string::npos) continue;
        const std::string name = TrimBlanks(line.substr(0, blank));
        const auto amount = parse(TrimBlanks(line.substr(blank + 1)));
        if (name.empty() || !amount) continue;
        components.push_back({name, *amount, OxygenDemandPerMole(name) * *amount});
    }
    return components;
}

std::vector<double> ParseRatioLines(const std::vector<std::string>& lines, const NumberParser& parse) {
    std::vector<double> ratios;
    for (const auto& line : lines) {
        const auto ratio = parse(TrimBlanks(line));
        if (ratio && *ratio > 0.0) ratios.push_back(*ratio);
    }
    return ratios;
}

std::optional<std::vector<std::string>> BuildMixtureLines(const MixtureWizardInput& input, const NumberParser& parse) {
    if (input.fuelLines.empty()) return std::nullopt;
    const auto components = ParseFuelLines(input.fuelLines, parse);
    double total = 0.0;
    for (const auto& c : components) total += c.oxygenDemand;
    const auto format = [&](double v) { return FormatFixed(v, 2, input.decimalSeparator); };

    std::string fuel;
    for (const auto& c : components) {
        if (!fuel.empty()) fuel += ", ";
        fuel += c.name + " " + format(c.amount);
    }
    std::vector<std::string> mixtures;
    if (fuel.empty()) return mixtures;
    const std::string oxygen = input.lowerCaseNames ? " o2 " : " O2 ";
    const std::string nitrogen = input.lowerCaseNames ? " n2 " : " N2 ";
    for (const double r : ParseRatioLines(input.ratioLines, parse)) {
        std::string line = fuel + "," + oxygen + format(total / r);
        if (!input.pureOxygen) line += "," + nitrogen + format(3.76 * total / r);
        mixtures.push_back(std::move(line));
    }
    return mixtures;
}

NumberParser CNumberParser() {
    return [](std::string_view text) { return ParseNumberC(text); };
}

}  // namespace vantor
