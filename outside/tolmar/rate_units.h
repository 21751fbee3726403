#pragma once
// Units of the REACTIONS section and the conversions into the binary's units: A in mol-cm-s,
// activation energies divided by the gas constant (K), pressure-table energies in cal/mol.

#include <string>
#include <string_view>

#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

inline constexpr double kAvogadro = 6.02214076e23;  // 1/mol
inline constexpr double kErgPerCalorie = 4.184e7;
inline constexpr double kGasConstantErg = 83145100.0;  // erg/(mol K), as the chemistry library uses

// Applies one unit keyword of the REACTIONS line (CAL/MOLE, KCAL/MOLE, JOULES/MOLE, KJOULES/MOLE,
// KELVINS, EVOLTS, MOLES, MOLECULES); false when the word is none of them.
bool ApplyUnitKeyword(std::string_view word, ReactionUnits& units);
// The same for the UNITS line of one reaction ("MOL" is accepted there for MOLES); `twice` is set
// when the keyword's dimension (energy or amount) was already given.
bool ApplyUnitKeyword(std::string_view word, UnitsOverride& units, bool& twice);
inline constexpr std::string_view kUnitKeywords =
    "CAL/MOLE, KCAL/MOLE, JOULES/MOLE, KJOULES/MOLE, KELVINS, EVOLTS, MOLES or MOLECULES";

const char* EnergyUnitName(EnergyUnit unit);
// "KCAL/MOLE, MOLECULES" and the like.
std::string UnitsName(const ReactionUnits& units);

double ToCalPerMole(double E, EnergyUnit unit);
// E/R in K.
double ToActivationTemperature(double E, EnergyUnit unit);
// A of a rate of the given order (sum of the concentration exponents) in mol-cm-s.
double ToMoleUnits(double A, const ReactionUnits& units, double order);

// Orders of the forward and the reverse rate expression, counting FORD/RORD and a "+M" third
// body; fall-off low-pressure limits have one more (the caller adds it).
double ForwardOrder(const Reaction& reaction);
double ReverseOrder(const Reaction& reaction);

}  // namespace vantor::tolmar
