#pragma once
// Splits the mechanism input into its sections (ELEMENTS, SPECIES, THERMO, REACTIONS and a
// TRANSPORT section that is skipped). Keywords may be shortened to their first four letters.
// Text after the END of the REACTIONS section that begins no section (reference lists, notes)
// ends the input, with a warning.

#include <string_view>
#include <vector>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {

enum class SectionKind { Elements, Species, Thermo, Reactions, Transport };

struct Section {
    SectionKind kind = SectionKind::Elements;
    SourceLine header;             // the keyword line, comment removed
    std::vector<SourceLine> body;  // lines up to END; THERMO lines keep their comments and columns
};

// The section keyword a word names, if any.
bool SectionKeyword(std::string_view word, SectionKind& kind);

std::vector<Section> SplitSections(const std::vector<SourceLine>& lines, std::string_view file,
                                   Diagnostics& diagnostics);

}  // namespace vantor::tolmar
