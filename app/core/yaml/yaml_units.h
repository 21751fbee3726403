#pragma once
// The units of a Cantera YAML file and the conversions into the units the CHEMKIN text is
// written in: lengths in cm, amounts in mol (or molecules), times in s, pressures in atm, and
// activation energies in the file's own unit wherever CHEMKIN has a keyword for it.

#include <optional>
#include <string>
#include <string_view>

namespace vantor::yaml {

struct FileUnits {
    double lengthCm = 100.0;      // Cantera's defaults: m, kmol, s, Pa, J/kmol
    double quantityMol = 1000.0;  // in mol; 1 with `molecules`
    bool molecules = false;
    double timeS = 1.0;
    double pressureAtm = 1.0 / 101325.0;
    std::string activationEnergy;  // as written; empty: energy / quantity
    std::string energyName = "J", quantityName = "kmol";

    // The unit activation energies are read in.
    std::string Energy() const {
        return activationEnergy.empty() ? energyName + "/" + (molecules ? "mol" : quantityName) : activationEnergy;
    }
};

// Reads one entry of a `units` mapping; the reason in `error` when the key or unit is unknown.
bool ApplyUnit(std::string_view key, std::string_view unit, FileUnits& units, std::string& error);

// The CHEMKIN keyword for an activation-energy unit, empty when CHEMKIN has none.
std::string EnergyKeyword(std::string_view unit);

// E written in `from` converted to `to` (both activation-energy units); exact when they agree.
std::optional<double> ConvertEnergy(double value, std::string_view from, std::string_view to);

// A pressure unit's value in atm; nullopt when unknown.
std::optional<double> PressureUnitAtm(std::string_view unit);

// Splits "1.5 kcal/mol" into the number and the unit; false when the text does not start with a
// number.
bool SplitQuantity(std::string_view text, double& value, std::string& unit);

}  // namespace vantor::yaml
