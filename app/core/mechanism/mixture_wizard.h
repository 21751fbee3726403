#pragma once
// The mixture wizard's arithmetic: a fuel made of mechanism species, its oxygen demand from the
// C, H and O letters of the names, and one mixture line per stoichiometric ratio with air or
// pure oxygen as the oxidizer.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Parses a typed number in the user's format; nullopt when it is not a number.
using NumberParser = std::function<std::optional<double>(std::string_view)>;

struct FuelComponent {
    std::string name;
    double amount = 0.0;
    double oxygenDemand = 0.0;  // moles of O2 for complete oxidation of `amount`
};

// "Add to Fuel >>": the fuel line "NAME amount" when the typed amount is a number.
std::optional<std::string> FuelLine(const std::string& selectedSpecies, const std::string& moleText,
                                    const NumberParser& parse);

// O2 per mole of a species: +1 per C, +0.25 per H, -0.5 per O (either case), each letter
// counted by the digits that follow it, or once.
double OxygenDemandPerMole(std::string_view name);

// How the wizard names the oxidizer: from the first "O2" (upper case) or "o2" (lower case) of the
// species list; without either, the previous choice stays.
struct OxidizerNaming {
    bool lowerCase = false;       // the O2Sel tag: 0 upper, 1 lower
    std::string airCaption;       // "AIR"/"air", empty when no oxygen species was found
    std::string oxygenCaption;    // "O2"/"o2"
};
OxidizerNaming DetectOxidizerNaming(const std::vector<std::string>& speciesNames, bool previousLowerCase);

// The fuel memo's lines ("NAME amount"); lines without a blank, with an empty name or a
// non-numeric amount are skipped.
std::vector<FuelComponent> ParseFuelLines(const std::vector<std::string>& lines, const NumberParser& parse);
// The ratio memo's numeric lines in order; a ratio of zero or below is skipped like a line that
// is not a number (it would divide by zero or ask for negative oxygen).
std::vector<double> ParseRatioLines(const std::vector<std::string>& lines, const NumberParser& parse);

struct MixtureWizardInput {
    std::vector<std::string> fuelLines;
    std::vector<std::string> ratioLines;
    bool pureOxygen = false;     // O2 only; otherwise air (O2 + 3.76 N2)
    bool lowerCaseNames = false;
    char decimalSeparator = '.';
};

// The mixture lines, one per ratio, such as "CH4 1.00, O2 2.00, N2 7.52". nullopt when the fuel
// memo has no lines (the mixtures stay as they are); an empty list, which replaces the mixtures,
// when the fuel yields no component.
std::optional<std::vector<std::string>> BuildMixtureLines(const MixtureWizardInput& input, const NumberParser& parse);

// A parser for the C number format, for callers without a user locale.
NumberParser CNumberParser();

}  // namespace vantor
