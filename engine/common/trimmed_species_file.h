#pragma once
// The trimmed-species file ("SP.TRM"): a title line with the counts, then the numbers of the
// species the run does not keep, 2000 to a line. It is replaced in one step at the end of a
// successful run, so a failed run leaves an earlier file as it was.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantor::engine {

// The species 1..NS not in `kept` (ascending), ascending.
std::vector<int32_t> TrimmedSpecies(int32_t NS, std::span<const int32_t> kept);

// The file's text with CR LF line ends: "NOTE: Original SP#=" NS (I5) "  Trim SP#=" T (I5)
// "  Keep SP#=" NS - T (I5), then the trimmed numbers in I5, 2000 to a line; an empty second
// line when nothing is trimmed.
std::string TrimmedSpeciesText(int32_t NS, std::span<const int32_t> trimmed);

// Whether the file could be written where it stands: an existing file must open for writing and
// its folder must take the temporary file the replacement is written through (a device is
// written in place). Nothing is changed; on false `error` says why.
bool CanWriteTrimmedSpeciesFile(const std::string& path, std::string* error = nullptr);

}  // namespace vantor::engine
