#pragma once
// The run listing: a readable summary of what was compiled (elements, species with weights and
// fit temperatures, reactions with their parameters as stored, counts), the warnings, and on
// failure the error messages. Numbers with every digit; CR LF line ends.

#include <string>
#include <vector>

#include "outside/tolmar/compiled_reaction.h"
#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

struct ListingSources {
    std::string mechanismFile;
    std::string thermoFile;  // empty when the mechanism holds all thermo data
    std::string binaryFile;
};

// `compiled` is empty on failure; then only the sources, warnings and errors are listed.
std::string WriteListing(const ListingSources& sources, const Mechanism& mechanism,
                         const std::vector<CompiledReaction>& compiled, const Diagnostics& diagnostics);

}  // namespace vantor::tolmar
