#pragma once
// Writes small mechanism binaries record by record, so tests can build any mechanism by hand and
// damage any record of it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <memory>

#include "chemlib/chemistry_library.h"
#include "chemlib/mechanism_layout.h"

namespace vantor::chem::test {

struct SpeciesData {
    std::string name;
    std::vector<int32_t> elements;  // MM counts
    double weight = 1.0;
    int32_t fitTemps = 3;
    std::vector<double> temps = {300.0, 1000.0, 5000.0};
    std::vector<double> low = std::vector<double>(7, 0.0);   // a1..a7 of range 1
    std::vector<double> high = std::vector<double>(7, 0.0);  // a1..a7 of range 2
};

struct ReactionData {
    bool reversible = true;
    std::array<double, 3> arrhenius = {1.0, 0.0, 0.0};   // A, b, E/R
    std::array<std::pair<int32_t, int32_t>, 6> slots{};  // (coefficient, 1-based species) per slot
};

struct NumberedReals {
    int32_t reaction;
    std::vector<double> values;
};

struct FallOffData {
    int32_t reaction, form, bath;
    std::vector<double> params;  // NFALPAR values
};

struct ThirdBodyData {
    int32_t reaction;
    std::vector<std::pair<int32_t, double>> enhanced;  // (species, efficiency)
};

struct OrderData {
    int32_t reaction;
    std::vector<std::pair<int32_t, double>> entries;  // (-k forward / +k reverse, value)
};

struct NamedRecord {
    std::string name;
    std::vector<uint8_t> bytes;
};

class BinaryBuilder {
public:
    std::string version = "3.9";
    std::string precision = "DOUBLE";
    bool errorMarker = false;
    std::vector<std::pair<std::string, double>> elements;
    std::vector<SpeciesData> species;
    std::vector<ReactionData> reactions;
    std::vector<NumberedReals> reverse, landauTeller, revLandauTeller, wavelength, jlep, fit1, excitation, realNu;
    std::vector<FallOffData> fallOff;
    std::vector<ThirdBodyData> thirdBody;
    std::vector<std::pair<int32_t, int32_t>> electronImpact;  // (reaction, temperature index)
    std::vector<OrderData> orders;
    // Pressure tables: per reaction flag, terms per pressure and NPMAX*4 reals (padded with 0).
    int32_t npmax = 0;
    std::vector<std::pair<int32_t, std::vector<double>>> tables;  // (terms, entries) per reaction with a table
    std::vector<int32_t> tableReactions;                          // 1-based reaction of each table
    bool writePressureTables = true;

    int32_t MXTHIRD = 3;
    int32_t MXORDER = 2;
    int32_t NFALPAR = 8;
    double COEFMIN = -1.0e30;
    std::optional<std::array<int32_t, 3>> declaredLengths;  // overrides the computed lengths

    MechanismCounts Counts() const;
    std::vector<NamedRecord> Records() const;
    std::vector<uint8_t> Bytes() const { return Frame(Records()); }
    static std::vector<uint8_t> Frame(const std::vector<NamedRecord>& records);
};

// Position of the named record; -1 when absent.
int IndexOf(const std::vector<NamedRecord>& records, const std::string& name);

// A binary loaded into fresh work arrays (filled with junk first, so unset entries show).
struct LoadedBinary {
    ChemistryLibrary lib;
    std::vector<int32_t> ickwrk;
    std::vector<double> rckwrk;
    std::vector<char> cckwrk;
    int32_t errFlag = 0;
    std::string messages;

    // Evaluates at P (dyn/cm2), T and mole fractions X with NT equal temperatures.
    int32_t Rates(double P, double T, const std::vector<double>& X, int32_t NT = 4);
    std::vector<double> wdot, qf, qr;
    std::string rateMessages;
    const double* RKF() const { return rckwrk.data() + lib.Layout().rForwardConstants; }
    const double* RKR() const { return rckwrk.data() + lib.Layout().rReverseConstants; }
    const double* CTB() const { return rckwrk.data() + lib.Layout().rReactionScratch[2]; }
    const double* C() const { return rckwrk.data() + lib.Layout().rSpeciesScratch[0]; }
};

// Loads `bytes` with the declared lengths (default: those of its header) and name length.
std::unique_ptr<LoadedBinary> LoadBytes(const std::vector<uint8_t>& bytes,
                                        std::optional<std::array<int32_t, 3>> declared = std::nullopt,
                                        int32_t nameElementLength = 16);

// A species with constant cp/R = cp, H(298.15) = h298 * R and S/R(298.15) = s298 in both ranges.
SpeciesData ConstantCpSpecies(std::string name, std::vector<int32_t> elements, double weight, double cp, double h298,
                              double s298);

// Two species A, B and one reversible reaction A <=> B with A = 1e10, b = 0.5, E/R = 1000.
BinaryBuilder TwoSpeciesMechanism();

}  // namespace vantor::chem::test
