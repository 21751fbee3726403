#pragma once
// The opened detailed mechanism as the workbench holds it: the input text line by line with a
// keep mark per line, the species check-list, the counts and the captions derived from them.
// Plain data: the desktop program binds its lists to it, vantor-cli and the tests use it as is.

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {

// One line of the mechanism input (tabs already replaced by blanks) and its keep mark; an
// unkept line is left out of the reduced mechanism.
struct MechanismLine {
    std::string text;
    bool kept = true;
};

// One item of the species check-list; checked means kept.
struct SpeciesEntry {
    std::string name;
    bool checked = true;
};

struct MechanismModel {
    std::vector<MechanismLine> MechanismText;  // the "Original Chemistry" list, file order
    std::vector<SpeciesEntry> Species;         // the species check-list; position + 1 = species number

    int32_t DetailedSpeciesCount = 0;
    int32_t DetailedReactionCount = 0;
    int32_t KeptSpeciesCount = 0;
    int32_t ReducedReactionCount = 0;

    // Names unchecked by the last run of the trimmed-species reader, in the order it unchecked
    // them (a number listed twice appears twice). Its size is the removed-species count.
    std::vector<std::string> RemovedSpeciesNames;

    std::string MechanismPath;        // full path of the opened input file, empty when none
    std::string MechanismBinaryPath;  // MechanismPath with its ending made "bin" (DeriveMechanismBinaryPath)
    std::string TrimmedSpeciesPath;   // the trimmed-species file the reader and the reaction trim use
    // Thermo and transport data under the names they ship with; empty: "Therm.dat" and "Tran.dat"
    // of the work folder. Cleared by every open of a mechanism; a project may set them.
    std::string ThermoPath;
    std::string TransportPath;

    bool ReducedInpReady = false;    // a reduced mechanism exists since the last open
    bool GenerationPending = false;  // a reduced-file generation started and did not complete

    std::vector<std::string> ReducedText;  // the "Reduced Chemistry" list; an item may hold CR LF

    // Captions the window shows, kept here so every front end shows the same text.
    std::string SpeciesTitleCaption;   // above the species list
    std::string KeepCaption;           // "Species Kept:..; Trimmed:.."
    std::string ReactionTrimCaption;   // "Reac Kept:..  Trimmed:.."
    std::string ReducedCountsCaption;  // status bar: "Reduced Chemistry (SP#=.., RA#=..)"

    int32_t RemovedSpeciesCount() const { return static_cast<int32_t>(RemovedSpeciesNames.size()); }

    // Names of the species list in order, and their check marks: what the run settings need to
    // number the species of a mixture.
    std::vector<std::string> SpeciesNames() const;
    std::vector<bool> SpeciesMarks() const;

    void CheckAllSpecies(bool checked);
};

}  // namespace vantor
