#pragma once
// One Cantera YAML reaction entry as CHEMKIN reaction text: the reaction line and its auxiliary
// lines (efficiencies, LOW/HIGH, TROE/SRI, PLOG, FORD, DUPLICATE). Types the mechanism binary
// cannot hold are refused with the entry named.

#include <yaml-cpp/yaml.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/core/yaml/yaml_units.h"

namespace vantor::yaml {

struct ReactionContext {
    FileUnits units;
    std::string energyUnit;                 // the unit the CHEMKIN text writes energies in
    std::set<std::string> species;          // the phase's species
    std::vector<std::string> speciesOrder;  // the same, in phase order
    bool skipUndeclaredThirdBodies = false;
};

// Appends the reaction's lines; throws YamlInputError at the entry's fault. With `reverse`, the
// entry and `reverse` are the two irreversible halves of one reaction, written back as one
// reversible reaction with REV (and RORD for the reverse half's orders).
void TranslateReaction(const YAML::Node& entry, int number, const ReactionContext& context,
                       std::vector<std::string>& lines, const YAML::Node* reverse = nullptr);

}  // namespace vantor::yaml
