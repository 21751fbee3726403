#include "app/core/yaml/yaml_units.h"

#include <cstdlib>
#include <map>

namespace vantor::yaml {
namespace {

constexpr double kGasConstant = 8.31446261815324;  // J/(mol K)
constexpr double kFaraday = 96485.33212;           // J/(mol V): one eV per particle

// Activation-energy units in J/mol.
std::optional<double> EnergyJoulesPerMole(std::string_view unit) {
    static const std::map<std::string, double, std::less<>> kUnits = {
        {"J/mol", 1.0},      {"kJ/mol", 1e3},  {"cal/mol", 4.184},     {"kcal/mol", 4184.0},
        {"J/kmol", 1e-3},    {"kJ/kmol", 1.0}, {"cal/kmol", 4.184e-3}, {"kcal/kmol", 4.184},
        {"K", kGasConstant}, {"eV", kFaraday}, {"erg/mol", 1e-7}};
    const auto it = kUnits.find(unit);
    if (it == kUnits.end()) return std::nullopt;
    return it->second;
}

std::optional<double> EnergyJoules(std::string_view unit) {
    static const std::map<std::string, double, std::less<>> kUnits = {
        {"J", 1.0}, {"kJ", 1e3}, {"cal", 4.184}, {"kcal", 4184.0}, {"erg", 1e-7}, {"eV", 1.602176634e-19}};
    const auto it = kUnits.find(unit);
    if (it == kUnits.end()) return std::nullopt;
    return it->second;
}

}  // namespace

bool ApplyUnit(std::string_view key, std::string_view unit, FileUnits& units, std::string& error) {
    static const std::map<std::string, double, std::less<>> kLengths = {{"m", 100.0}, {"cm", 1.0}, {"mm", 0.1}};
    static const std::map<std::string, double, std::less<>> kQuantities = {
        {"mol", 1.0}, {"kmol", 1000.0}, {"gmol", 1.0}};
    static const std::map<std::string, double, std::less<>> kTimes = {
        {"s", 1.0}, {"ms", 1e-3}, {"min", 60.0}, {"h", 3600.0}};
    const auto find = [&](const auto& table, double& into) {
        const auto it = table.find(unit);
        if (it == table.end()) return false;
        into = it->second;
        return true;
    };
    bool ok = true;
    if (key == "length") {
        ok = find(kLengths, units.lengthCm);
    } else if (key == "quantity") {
        units.molecules = unit == "molec";
        units.quantityName = std::string(unit);
        ok = units.molecules ? (units.quantityMol = 1.0, true) : find(kQuantities, units.quantityMol);
    } else if (key == "time") {
        ok = find(kTimes, units.timeS);
    } else if (key == "pressure") {
        const std::optional<double> atm = PressureUnitAtm(unit);
        if (atm) units.pressureAtm = *atm;
        ok = atm.has_value();
    } else if (key == "activation-energy") {
        units.activationEnergy = std::string(unit);
        ok = EnergyJoulesPerMole(unit).has_value();
    } else if (key == "energy") {
        units.energyName = std::string(unit);
        ok = EnergyJoules(unit).has_value();
    } else if (key != "temperature" && key != "mass" && key != "current") {
        error = "unknown units key \"" + std::string(key) + "\"";
        return false;
    }
    if (!ok) error = "unknown " + std::string(key) + " unit \"" + std::string(unit) + "\"";
    return ok;
}

std::string EnergyKeyword(std::string_view unit) {
    static const std::map<std::string, std::string, std::less<>> kKeywords = {
        {"cal/mol", "CAL/MOLE"},    {"kcal/mol", "KCAL/MOLE"}, {"J/mol", "JOULES/MOLE"},
        {"kJ/mol", "KJOULES/MOLE"}, {"K", "KELVINS"},          {"eV", "EVOLTS"}};
    const auto it = kKeywords.find(unit);
    return it == kKeywords.end() ? "" : it->second;
}

std::optional<double> ConvertEnergy(double value, std::string_view from, std::string_view to) {
    if (from == to) return value;
    const std::optional<double> a = EnergyJoulesPerMole(from), b = EnergyJoulesPerMole(to);
    if (!a || !b) return std::nullopt;
    return value * *a / *b;
}

std::optional<double> PressureUnitAtm(std::string_view unit) {
    static const std::map<std::string, double, std::less<>> kUnits = {{"atm", 1.0},
                                                                      {"Pa", 1.0 / 101325.0},
                                                                      {"kPa", 1e3 / 101325.0},
                                                                      {"MPa", 1e6 / 101325.0},
                                                                      {"bar", 1e5 / 101325.0},
                                                                      {"torr", 1.0 / 760.0},
                                                                      {"dyn/cm^2", 0.1 / 101325.0}};
    const auto it = kUnits.find(unit);
    if (it == kUnits.end()) return std::nullopt;
    return it->second;
}

bool SplitQuantity(std::string_view text, double& value, std::string& unit) {
    const std::string copy(text);
    char* end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str()) return false;
    size_t at = static_cast<size_t>(end - copy.c_str());
    while (at < copy.size() && copy[at] == ' ') ++at;
    unit = copy.substr(at);
    while (!unit.empty() && unit.back() == ' ') unit.pop_back();
    return true;
}

}  // namespace vantor::yaml
