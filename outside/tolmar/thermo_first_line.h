#pragma once
// Line 1 of a thermo entry, read the way real files write it:
//   - four element fields in columns 25-44 (symbol in two columns, count in three); a count
//     written as a real ("2.") is accepted when it is whole;
//   - phase in column 45, low and high temperature in 46-55 and 56-65;
//   - the common temperature in 66-73, over 66-75 when its digits run on into the fifth-element
//     field ("    1000.0"); left blank, it is the default of the THERMO line;
//   - an optional fifth element in 74-78; a field there that holds no symbol with a whole count
//     (a stray phase letter, a count without symbol) is ignored.
// Each accepted irregularity is noted in the tally; whatever cannot be read is an error.

#include <string_view>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/irregularity_tally.h"
#include "outside/tolmar/mechanism_data.h"
#include "outside/tolmar/name_index.h"
#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {

struct ThermoLineContext {
    const Mechanism& mechanism;
    const NameIndex& elements;
    std::string_view file;
    Diagnostics& diagnostics;
    IrregularityTally& tally;
    double defaultCommon = 1000.0;
};

// Fills composition, weight, charge, phase and the fit temperatures of `species`; false after
// an error.
bool ReadThermoFirstLine(const SourceLine& line, const ThermoLineContext& context, Species& species);

}  // namespace vantor::tolmar
