#pragma once
// Thermodynamic data in the fixed-column NASA 7-coefficient format, four lines a species:
//   line 1: name (columns 1-18), elements, phase and fit temperatures (thermo_first_line.h);
//   lines 2-4: five coefficients of 15 columns each: a1..a5 (high), a6 a7 (high) a1..a3 (low),
//           a4..a7 (low).
// Column 80 carries the line number of the entry (1 to 4) when present. A species takes the
// first entry read; later ones are warnings. An entry cut short is an error.

#include <string>
#include <string_view>
#include <vector>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/irregularity_tally.h"
#include "outside/tolmar/mechanism_data.h"
#include "outside/tolmar/name_index.h"
#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {

class ThermoReader {
public:
    ThermoReader(Mechanism& mechanism, const NameIndex& species, const NameIndex& elements, Diagnostics& diagnostics);

    // Entries of a THERMO section of the mechanism (the lines between the keyword and END).
    void ReadSection(const std::vector<SourceLine>& lines, std::string_view file);

    // A thermo data file: an optional THERMO line, the default temperatures, the entries, and
    // anything after an END or ENDOFDATA line is ignored.
    void ReadFile(const std::vector<SourceLine>& lines, std::string_view file);

    // Errors for the declared species that no entry covered; `mechanismFile` locates them.
    void ReportMissing(std::string_view mechanismFile, std::string_view where);

private:
    void ReadEntries(const std::vector<SourceLine>& lines, size_t first, std::string_view file);
    void ReadEntry(const SourceLine* entry[4], std::string_view file);
    bool ReadCoefficients(const SourceLine* entry[4], std::string_view file, ThermoFit& fit);
    size_t SkipDefaultTemperatures(const std::vector<SourceLine>& lines, size_t at, std::string_view file);

    Mechanism& mechanism_;
    const NameIndex& species_;
    const NameIndex& elements_;
    Diagnostics& diagnostics_;
    IrregularityTally tally_;
    double defaultCommon_ = 1000.0;
};

}  // namespace vantor::tolmar
