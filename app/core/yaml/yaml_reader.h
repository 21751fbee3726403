#pragma once
// A Cantera YAML mechanism read into the CHEMKIN layout (chemkin_emitter.h): the first phase,
// which must be an ideal gas, its elements, its species with NASA7 thermo and gas transport, and
// its reactions. What the mechanism binary cannot hold (surface or other non-gas phases, NASA9
// and other thermo models, Chebyshev, Blowers-Masel and other rate types) is refused with the
// entry named.

#include <string>
#include <string_view>

#include "app/core/yaml/chemkin_emitter.h"

namespace vantor::yaml {

struct YamlReadResult {
    bool ok = false;
    std::string error;  // "FILE, line L, column C: problem; expected ..."
    ChemkinMechanism mechanism;
};

YamlReadResult ReadCanteraYaml(std::string_view text, const std::string& fileName);

}  // namespace vantor::yaml
