#pragma once
// Reading a mechanism input file into the model ("INP Open" without its dialog) and deriving the
// species list and the counts from the text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"

namespace vantor {

struct MechanismOpenResult {
    bool ok = false;
    std::string error;                  // "<E> ..." naming the file when it cannot be read
    std::vector<std::string> messages;  // "> " lines, e.g. a species declared twice
    std::string workDirectory;          // the folder of the opened file, no trailing separator
};

// Replaces the model by the file at `path`: every line kept (tabs become blanks), every species
// checked, the counts and the "Detailed(SP#=..,RA#=..)" caption set, the reduced state cleared.
// The reaction count takes the reaction lines up to the notes after the REACTIONS section.
// On a read failure the model is left without lines or species (the path stays, as chosen) and
// `error` names the file.
MechanismOpenResult OpenMechanism(MechanismModel& model, const std::string& path);

// Rebuilds the species check-list from the text ("Create Species list"): names between the
// SPECIES line and the next END line, each name once at its first position. Returns one "> "
// warning line per repeated declaration. Sets the "Species List(n)" caption.
std::vector<std::string> CreateSpeciesList(MechanismModel& model);

// The closing step of every open, also after a cancelled one: DetailedSpeciesCount, the
// "Detailed(SP#=..,RA#=..)" caption, and an empty removed-species list.
void UpdateDetailedCounts(MechanismModel& model);

// A line that counts as a reaction: holds "=" before any "!" comment.
bool IsReactionLine(std::string_view line);

// MechanismPath with its ending replaced by "bin" (Chem.inp -> Chem.bin), or with ".bin" appended
// when the file name has no ending (mech-A1 -> mech-A1.bin).
std::string DeriveMechanismBinaryPath(const std::string& mechanismPath);

// Folder part of a path, without a trailing separator ("" for a bare file name, "/" for the root).
std::string DirectoryOf(const std::string& path);

}  // namespace vantor
