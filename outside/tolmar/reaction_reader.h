#pragma once
// The REACTIONS section: unit keywords on its header line, reaction lines (equation, then A, b, E)
// with their auxiliary lines, and continuation lines ending in '&'.

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "outside/tolmar/diagnostics.h"
#include "outside/tolmar/mechanism_data.h"
#include "outside/tolmar/name_index.h"
#include "outside/tolmar/section_splitter.h"

namespace vantor::tolmar {

class ReactionReader {
public:
    ReactionReader(Mechanism& mechanism, const NameIndex& species, std::string_view file, Diagnostics& diagnostics);

    void ReadSection(const Section& section);

private:
    void ReadUnits(const SourceLine& header);
    void ReadLine(const SourceLine& line);
    void ReadReactionLine(const SourceLine& line);
    void ReadAuxiliaryLine(const SourceLine& line);
    void FinishReaction();

    Mechanism& mechanism_;
    const NameIndex& species_;
    std::string_view file_;
    Diagnostics& diagnostics_;
    std::optional<Reaction> current_;
    bool skipping_ = false;                // the reaction line was rejected; its auxiliary lines are skipped
    std::deque<std::string> joinedLines_;  // storage of continued lines
};

// PLOG on a "+M" reaction, as real files write it: the pressure table is taken as it is and the
// reaction loses its third body (with a warning).
void DropThirdBodiesOfPressureTables(Mechanism& mechanism, std::string_view file, Diagnostics& diagnostics);

}  // namespace vantor::tolmar
