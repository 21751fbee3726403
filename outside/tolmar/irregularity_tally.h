#pragma once
// Irregularities of real files that a reader accepts, gathered per kind: each kind becomes one
// warning at its first line, saying what was assumed and on how many more lines the file does
// the same, so that a thermo file with one habit gives one warning line rather than thousands.

#include <string>
#include <string_view>
#include <vector>

#include "outside/tolmar/diagnostics.h"

namespace vantor::tolmar {

class IrregularityTally {
public:
    // `kind` groups occurrences; `assumed` describes the first one (later ones are only counted,
    // once per line).
    void Note(std::string_view kind, int line, std::string_view assumed);

    // One warning per kind, in the order of their first occurrences; empties the tally.
    void Flush(std::string_view file, Diagnostics& diagnostics);

private:
    struct Kind {
        std::string name;
        int firstLine = 0, lastLine = 0;
        std::string assumed;
        size_t moreLines = 0;
    };
    std::vector<Kind> kinds_;
};

}  // namespace vantor::tolmar
