#pragma once
// The section keywords of a mechanism input as the compiler reads them: a keyword is the first
// word of a line (after blanks, before any "!" comment), in any letter case, and a section name
// may be shortened to its first four letters (REAC, SPEC, THER, ELEM). A keyword inside a comment
// or later on a line is not one, so a comment mentioning "reactions" or a trailing "! recommended"
// never opens or closes a section.

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

enum class MechanismKeyword { None, Elements, Species, Thermo, Reactions, Transport, End };

// The line without its "!" comment.
std::string_view WithoutComment(std::string_view line);

// The keyword the line begins with, or None.
MechanismKeyword LeadingKeyword(std::string_view line);

// Whether the keyword opens a section (anything but None and End).
inline bool OpensSection(MechanismKeyword k) { return k != MechanismKeyword::None && k != MechanismKeyword::End; }

// Position of the word END (any case) in the line before its comment, or npos. ELEMENTS and
// SPECIES sections end at this word even when names stand before it on the same line.
size_t FindEndWord(std::string_view line);

// Whether a line of the REACTIONS section closes it: END, or a section keyword on a line that is
// no reaction or auxiliary line (holds neither "=" nor "/"), as the compiler reads it.
bool ClosesReactions(std::string_view line);

// Whether the text declares a THERMO ALL section: its data then come only from the mechanism.
bool DeclaresThermoAll(const std::vector<std::string>& lines);

}  // namespace vantor
