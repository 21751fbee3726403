#include "outside/tolmar/rate_units.h"

#include <cmath>

#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {
namespace {

constexpr double kElectronCharge = 1.602176634e-19;  // C
constexpr double kCalPerElectronVolt = kElectronCharge * kAvogadro / 4.184;

double Order(const std::vector<StoichTerm>& side, const std::vector<std::pair<int32_t, double>>& changed,
             bool thirdBody) {
    double order = thirdBody ? 1.0 : 0.0;
    for (const StoichTerm& term : side) {
        bool replaced = false;
        for (const auto& [species, value] : changed) replaced = replaced || species == term.species;
        if (!replaced) order += term.coefficient;
    }
    for (const auto& change : changed) order += change.second;
    return order;
}

// Full spellings; any prefix of at least four letters is accepted ("KCAL", "KELV", "MOLEC").
struct UnitSpelling {
    std::string_view text;
    bool energy;
    EnergyUnit energyUnit;
    bool molecules;
};

const UnitSpelling* FindUnitKeyword(std::string_view word) {
    static constexpr UnitSpelling kSpellings[] = {
        {"CAL/MOLE", true, EnergyUnit::CalPerMole, false},
        {"KCAL/MOLE", true, EnergyUnit::KcalPerMole, false},
        {"JOULES/MOLE", true, EnergyUnit::JoulesPerMole, false},
        {"JOULE/MOLE", true, EnergyUnit::JoulesPerMole, false},
        {"KJOULES/MOLE", true, EnergyUnit::KjoulesPerMole, false},
        {"KJOULE/MOLE", true, EnergyUnit::KjoulesPerMole, false},
        {"KELVINS", true, EnergyUnit::Kelvins, false},
        {"EVOLTS", true, EnergyUnit::ElectronVolts, false},
        {"MOLES", false, EnergyUnit::CalPerMole, false},
        {"MOLECULES", false, EnergyUnit::CalPerMole, true},
    };
    for (const UnitSpelling& s : kSpellings)
        if (MatchesKeyword(word, s.text, 4)) return &s;
    return nullptr;
}

}  // namespace

bool ApplyUnitKeyword(std::string_view word, ReactionUnits& units) {
    const UnitSpelling* s = FindUnitKeyword(word);
    if (!s) return false;
    if (s->energy)
        units.energy = s->energyUnit;
    else
        units.molecules = s->molecules;
    return true;
}

bool ApplyUnitKeyword(std::string_view word, UnitsOverride& units, bool& twice) {
    static constexpr UnitSpelling kMol{"MOL", false, EnergyUnit::CalPerMole, false};
    const UnitSpelling* s = ToUpper(word) == "MOL" ? &kMol : FindUnitKeyword(word);
    if (!s) return false;
    twice = s->energy ? units.energy.has_value() : units.molecules.has_value();
    if (s->energy)
        units.energy = s->energyUnit;
    else
        units.molecules = s->molecules;
    return true;
}

std::string UnitsName(const ReactionUnits& units) {
    return std::string(EnergyUnitName(units.energy)) + (units.molecules ? ", MOLECULES" : ", MOLES");
}

const char* EnergyUnitName(EnergyUnit unit) {
    switch (unit) {
        case EnergyUnit::CalPerMole:
            return "CAL/MOLE";
        case EnergyUnit::KcalPerMole:
            return "KCAL/MOLE";
        case EnergyUnit::JoulesPerMole:
            return "JOULES/MOLE";
        case EnergyUnit::KjoulesPerMole:
            return "KJOULES/MOLE";
        case EnergyUnit::Kelvins:
            return "KELVINS";
        case EnergyUnit::ElectronVolts:
            return "EVOLTS";
    }
    return "";
}

double ToCalPerMole(double E, EnergyUnit unit) {
    switch (unit) {
        case EnergyUnit::CalPerMole:
            return E;
        case EnergyUnit::KcalPerMole:
            return E * 1000.0;
        case EnergyUnit::JoulesPerMole:
            return E / 4.184;
        case EnergyUnit::KjoulesPerMole:
            return E * 1000.0 / 4.184;
        case EnergyUnit::Kelvins:
            return E * kGasConstantErg / kErgPerCalorie;
        case EnergyUnit::ElectronVolts:
            return E * kCalPerElectronVolt;
    }
    return E;
}

double ToActivationTemperature(double E, EnergyUnit unit) {
    if (unit == EnergyUnit::Kelvins) return E;
    return ToCalPerMole(E, unit) * kErgPerCalorie / kGasConstantErg;
}

double ToMoleUnits(double A, const ReactionUnits& units, double order) {
    return units.molecules ? A * std::pow(kAvogadro, order - 1.0) : A;
}

double ForwardOrder(const Reaction& reaction) {
    return Order(reaction.reactants, reaction.forwardOrders, reaction.kind == ReactionKind::ThirdBody);
}

double ReverseOrder(const Reaction& reaction) {
    return Order(reaction.products, reaction.reverseOrders, reaction.kind == ReactionKind::ThirdBody);
}

}  // namespace vantor::tolmar
