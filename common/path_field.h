#pragma once
// Path fields of the job record: up to 99 UTF-16LE code units, a U+0000 terminator, blank fill.

#include <string>
#include <string_view>

#include "common/job_record.h"

namespace vantor {

// Fills the field with blanks, then the path as UTF-16 and one U+0000. Returns false, leaving
// the field all blanks, when the path is not valid UTF-8 or needs more than 99 code units.
bool EncodePathField(std::string_view utf8Path, PathField& field);

// Fills the field with 100 blanks (no path).
void ClearPathField(PathField& field);

// The path up to its U+0000 terminator as UTF-8 (no character dropped). A field without a
// terminator is taken whole, less trailing blanks. Unpaired surrogates become U+FFFD.
std::string DecodePathField(const PathField& field);

// Number of UTF-16 code units the UTF-8 path needs, or -1 when it is not valid UTF-8.
int Utf16Length(std::string_view utf8Path);

}  // namespace vantor
