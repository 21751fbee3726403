#pragma once
// The mechanism as the interpreter reads it, before it is laid out in the binary. Values are
// kept as written in the input (file units); rate_units.h converts them for the binary.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantor::tolmar {

struct Element {
    std::string name;
    double weight = 0.0;  // g/mol
    int line = 0;         // declaration line in the mechanism
};

// A NASA 7-coefficient fit: coefficients a1..a7 of the low and the high range.
struct ThermoFit {
    double tLow = 0.0, tCommon = 0.0, tHigh = 0.0;
    std::array<double, 7> low{}, high{};
};

struct Species {
    std::string name;
    int line = 0;  // declaration line in the mechanism
    bool hasThermo = false;
    std::vector<int32_t> composition;  // atoms of each element, in element order
    int32_t phase = 0;                 // -1 solid, 0 gas, 1 liquid
    int32_t charge = 0;                // minus the electron count
    double weight = 0.0;               // g/mol
    ThermoFit fit;
    std::string thermoSource;  // "file, line n" of the entry used
    std::string extraElements;  // elements read beyond column 80 of the entry ("C 388 H 144")
};

enum class EnergyUnit { CalPerMole, KcalPerMole, JoulesPerMole, KjoulesPerMole, Kelvins, ElectronVolts };

struct ReactionUnits {
    EnergyUnit energy = EnergyUnit::CalPerMole;
    bool molecules = false;  // A in molecule-cm-s instead of mol-cm-s
};

// Units a reaction's own UNITS lines set; what they leave open follows the REACTIONS line.
struct UnitsOverride {
    std::optional<EnergyUnit> energy;
    std::optional<bool> molecules;

    bool Any() const { return energy || molecules; }
    ReactionUnits Over(ReactionUnits base) const {
        if (energy) base.energy = *energy;
        if (molecules) base.molecules = *molecules;
        return base;
    }
};

struct Arrhenius {
    double A = 0.0, b = 0.0, E = 0.0;
};

// One species slot of a reaction side; identical species of a side share one slot.
struct StoichTerm {
    int32_t species = 0;       // 1-based
    double coefficient = 0.0;  // > 0
};

enum class ReactionKind {
    Plain,
    ThirdBody,       // "+M"
    FallOffMixture,  // "(+M)": the mixture is the third body
    FallOffSpecies,  // "(+SPECIES)": one species is
};

enum class FallOffForm : int32_t { Lindemann = 1, Sri = 2, Troe3 = 3, Troe4 = 4 };

struct PressureTerm {
    double pressureAtm = 0.0;
    Arrhenius rate;  // file units
};

struct Reaction {
    int line = 0;
    std::string equation;  // as written, blanks removed
    std::vector<StoichTerm> reactants, products;
    bool reversible = true;
    bool realCoefficients = false;  // some coefficient is not a whole number
    ReactionKind kind = ReactionKind::Plain;
    int32_t bathSpecies = 0;  // FallOffSpecies only
    Arrhenius rate;

    std::vector<std::pair<int32_t, double>> efficiencies;  // enhanced third bodies
    std::optional<Arrhenius> low;
    // HIGH instead of LOW: a chemically activated reaction, whose own rate is the low-pressure
    // limit and HIGH the high-pressure one.
    std::optional<Arrhenius> high;
    FallOffForm form = FallOffForm::Lindemann;
    std::vector<double> formParameters;  // TROE a, T***, T* [, T**] or SRI a, b, c [, d, e]
    std::optional<Arrhenius> reverse;
    std::optional<std::array<double, 2>> landauTeller, reverseLandauTeller;
    std::optional<double> wavelength;
    int32_t electronImpactSpecies = 0;  // TDEP species, 0 when none
    std::optional<std::array<double, 9>> jan;
    std::optional<std::array<double, 4>> fit1;
    std::optional<double> excitation;
    std::vector<std::pair<int32_t, double>> forwardOrders, reverseOrders;  // FORD, RORD
    std::vector<PressureTerm> pressureTerms;                               // PLOG, as given
    bool duplicate = false;
    UnitsOverride units;  // UNITS lines of this reaction

    bool IsThirdBody() const { return kind == ReactionKind::ThirdBody || kind == ReactionKind::FallOffMixture; }
    bool IsFallOff() const { return kind == ReactionKind::FallOffMixture || kind == ReactionKind::FallOffSpecies; }
    bool HasOrders() const { return !forwardOrders.empty() || !reverseOrders.empty(); }
    // More than three species on a side: the extra ones sit in free slots of the other side.
    bool BorrowsSlots() const { return reactants.size() > 3 || products.size() > 3; }
};

struct Mechanism {
    std::vector<Element> elements;
    std::vector<Species> species;
    std::vector<Reaction> reactions;
    ReactionUnits units;
};

}  // namespace vantor::tolmar
