#pragma once
// The target-species list that the program hands to the engines that search from targets (DRG,
// DRGEP). It lives beside the trimmed-species file, under its name with the extension "TGT"
// ("SP.TRM" -> "SP.TGT", "New_SP.TRM" -> "New_SP.TGT"): species names separated by blanks,
// commas or line ends, in any letter case; text from a "!" to the line end is a comment.

#include <string>
#include <vector>

namespace vantor {

std::string TargetListPath(const std::string& trimmedPath);

// Writes the list (one name a line, CR LF; an empty list gives an empty file), through a
// temporary file. False with `error` set when it cannot be written.
bool WriteTargetList(const std::string& trimmedPath, const std::vector<std::string>& names, std::string* error);

}  // namespace vantor
