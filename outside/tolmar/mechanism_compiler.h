#pragma once
// Compiles mechanism text (and thermo text) held in memory: the whole interpreter without any
// file access, so tests and the fuzz target can feed it directly.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outside/tolmar/compiled_reaction.h"
#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"

namespace vantor::tolmar {

struct CompileInput {
    std::string_view mechanismText;
    std::string mechanismName;                   // shown in messages
    std::optional<std::string_view> thermoText;  // nullopt when the thermo file could not be read
    std::string thermoName;
};

struct CompileOutput {
    Mechanism mechanism;
    std::vector<CompiledReaction> compiled;  // filled on success
    std::vector<uint8_t> binary;             // the mechanism binary, on success
    Diagnostics diagnostics;
    bool thermoFileUsed = false;  // the thermo file was read
    bool thermoAll = false;       // the mechanism holds all thermo data (THERMO ALL)

    int32_t Status() const { return diagnostics.Status(); }
};

void CompileMechanism(const CompileInput& input, CompileOutput& output);

}  // namespace vantor::tolmar
