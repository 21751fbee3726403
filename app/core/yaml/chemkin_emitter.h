#pragma once
// A mechanism read from a YAML file, laid out as the three CHEMKIN texts the interpreter and the
// transport fitting read: the mechanism input (ELEMENTS, SPECIES, REACTIONS), the thermo file in
// the fixed-column NASA7 format and the transport file.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantor::yaml {

struct ChemkinElement {
    std::string name;
    std::optional<double> weight;  // given in the file; nullopt: the built-in weight
};

struct ChemkinThermo {
    double tLow = 0.0, tCommon = 0.0, tHigh = 0.0;
    std::array<double, 7> low{}, high{};
};

struct ChemkinTransport {
    int geometry = 0;  // 0 atom, 1 linear, 2 nonlinear
    double wellDepth = 0.0, diameter = 0.0, dipole = 0.0, polarizability = 0.0, rotationalRelaxation = 0.0;
};

struct ChemkinSpecies {
    std::string name;                                      // at most 18 characters
    std::vector<std::pair<std::string, int>> composition;  // at most five elements, counts 0-999
    ChemkinThermo thermo;
    std::optional<ChemkinTransport> transport;
};

struct ChemkinMechanism {
    std::vector<std::string> header;  // comment lines, without "!"
    std::vector<ChemkinElement> elements;
    std::vector<ChemkinSpecies> species;
    std::string energyKeyword = "CAL/MOLE";
    bool molecules = false;
    std::vector<std::string> reactionLines;
};

struct ChemkinTexts {
    std::string mechanism, thermo, transport;  // transport empty when no species has data
};

// Lines end with CR LF. A thermo coefficient whose shortest form needs more than the field's
// nine significant digits is rounded to nine: the fixed-column format holds no more.
ChemkinTexts EmitChemkin(const ChemkinMechanism& mechanism);

// A real in the 15 columns of a thermo coefficient field.
std::string ThermoField(double value);

}  // namespace vantor::yaml
