#pragma once
// A mechanism as the interpreter read it (values in the mechanism's own units) written as a
// Cantera YAML file: the mechanism's units, one ideal-gas phase "gas", the species with NASA7
// thermo (and transport where a transport file was read) and the reactions.

#include <string>

#include "outside/pellor/transport_data.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::yaml {

// The notes that mark the two irreversible halves of a reaction with explicit reverse
// parameters, so that reading the file back restores the one reversible reaction.
inline constexpr const char* kForwardHalfNote = "explicit reverse parameters (REV): forward half";
inline constexpr const char* kReverseHalfNote = "explicit reverse parameters (REV): reverse half";

struct YamlWriteInput {
    const tolmar::Mechanism& mechanism;
    const pellor::TransportData* transport = nullptr;  // null: no transport file
    std::string description;                           // the files the mechanism came from
};

// The YAML text in `out`; false, with the reaction (number, equation, line) and what Cantera
// cannot hold in `error`, when a reaction has no YAML form.
bool WriteCanteraYaml(const YamlWriteInput& input, std::string& out, std::string& error);

}  // namespace vantor::yaml
