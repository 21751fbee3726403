#include "app/core/yaml/chemkin_emitter.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/core/yaml/yaml_scalars.h"

namespace vantor::yaml {
namespace {

constexpr const char* kEol = "\r\n";

std::string PadRight(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string PadLeft(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// A temperature in a field of `width` columns, as short as it reads back exactly.
std::string TemperatureField(double value, size_t width) {
    std::string text = FormatReal(value);
    if (text.size() > width) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%*.3f", static_cast<int>(width), value);
        text = buffer;
    }
    return PadLeft(text, width);
}

void ThermoEntry(const ChemkinSpecies& s, std::string& out) {
    std::string line = PadRight(s.name, 18) + std::string(6, ' ');
    std::string fifth(5, ' ');
    for (size_t i = 0; i < 5; ++i) {
        std::string field(5, ' ');
        if (i < s.composition.size()) {
            const auto& [element, count] = s.composition[i];
            field = PadRight(element, 2);
            field += PadLeft(std::to_string(count), 3);
        }
        if (i < 4)
            line += field;
        else
            fifth = field;
    }
    line += 'G';
    line += TemperatureField(s.thermo.tLow, 10) + TemperatureField(s.thermo.tHigh, 10) +
            TemperatureField(s.thermo.tCommon, 8) + fifth + " 1";
    out += line + kEol;
    const std::array<double, 14> values = {s.thermo.high[0], s.thermo.high[1], s.thermo.high[2], s.thermo.high[3],
                                           s.thermo.high[4], s.thermo.high[5], s.thermo.high[6], s.thermo.low[0],
                                           s.thermo.low[1],  s.thermo.low[2],  s.thermo.low[3],  s.thermo.low[4],
                                           s.thermo.low[5],  s.thermo.low[6]};
    for (int row = 0; row < 3; ++row) {
        std::string text;
        for (int j = 0; j < 5; ++j) {
            const int index = row * 5 + j;
            text += index < 14 ? ThermoField(values[static_cast<size_t>(index)]) : std::string(15, ' ');
        }
        out += text + "    " + std::to_string(row + 2) + kEol;
    }
}

std::string TransportLine(const ChemkinSpecies& s) {
    const ChemkinTransport& t = *s.transport;
    return PadRight(s.name, 18) + " " + std::to_string(t.geometry) + " " + FormatReal(t.wellDepth) + " " +
           FormatReal(t.diameter) + " " + FormatReal(t.dipole) + " " + FormatReal(t.polarizability) + " " +
           FormatReal(t.rotationalRelaxation) + kEol;
}

}  // namespace

std::string ThermoField(double value) {
    // The fewest digits that read back exactly, when they fit; nine significant digits otherwise.
    char buffer[40];
    for (int precision = 0; precision <= 8; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*E", precision, value);
        if (std::strtod(buffer, nullptr) == value || precision == 8) break;
    }
    std::string text = buffer;
    if (text.size() > 15) {  // a three-digit exponent leaves room for fewer digits
        std::snprintf(buffer, sizeof buffer, "%.*E", static_cast<int>(8 - (text.size() - 15)), value);
        text = buffer;
    }
    return PadLeft(text, 15);
}

ChemkinTexts EmitChemkin(const ChemkinMechanism& m) {
    ChemkinTexts texts;
    std::string& inp = texts.mechanism;
    for (const std::string& line : m.header) inp += "! " + line + kEol;
    inp += std::string("ELEMENTS") + kEol;
    for (const ChemkinElement& e : m.elements)
        inp += e.name + (e.weight ? " /" + FormatReal(*e.weight) + "/" : "") + kEol;
    inp += std::string("END") + kEol + "SPECIES" + kEol;
    std::string line;
    for (const ChemkinSpecies& s : m.species) {
        if (!line.empty() && line.size() + s.name.size() > 78) {
            inp += line + kEol;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + s.name;
    }
    if (!line.empty()) inp += line + kEol;
    inp += std::string("END") + kEol + "REACTIONS " + m.energyKeyword + (m.molecules ? " MOLECULES" : " MOLES") + kEol;
    for (const std::string& r : m.reactionLines) inp += r + kEol;
    inp += std::string("END") + kEol;

    for (const std::string& h : m.header) texts.thermo += "! " + h + kEol;
    texts.thermo += std::string("THERMO") + kEol + "   300.000  1000.000  5000.000" + kEol;
    for (const ChemkinSpecies& s : m.species) ThermoEntry(s, texts.thermo);
    texts.thermo += std::string("END") + kEol;

    for (const ChemkinSpecies& s : m.species)
        if (s.transport) texts.transport += TransportLine(s);
    if (!texts.transport.empty()) {
        std::string header;
        for (const std::string& h : m.header) header += "! " + h + kEol;
        texts.transport = header + texts.transport;
    }
    return texts;
}

}  // namespace vantor::yaml
