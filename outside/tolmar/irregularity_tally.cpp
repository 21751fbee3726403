#include "outside/tolmar/irregularity_tally.h"

namespace vantor::tolmar {

void IrregularityTally::Note(std::string_view kind, int line, std::string_view assumed) {
    for (Kind& k : kinds_) {
        if (k.name != kind) continue;
        if (line != k.lastLine) ++k.moreLines;
        k.lastLine = line;
        return;
    }
    kinds_.push_back({std::string(kind), line, line, std::string(assumed), 0});
}

void IrregularityTally::Flush(std::string_view file, Diagnostics& diagnostics) {
    for (const Kind& k : kinds_) {
        std::string message = k.assumed;
        if (k.moreLines > 0)
            message += "; the same on " + std::to_string(k.moreLines) + (k.moreLines == 1 ? " more line" : " more lines");
        diagnostics.Warning({file, k.firstLine}, message);
    }
    kinds_.clear();
}

}  // namespace vantor::tolmar
