#pragma once
// Lists of species names as users type them (the always-kept species, the target species):
// names separated by blanks, tabs, commas or semicolons ("NO NO2, A1").

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The names of `text`, in order, each once.
std::vector<std::string> SplitSpeciesNames(std::string_view text);

// The names joined by single blanks, as the project stores them.
std::string JoinSpeciesNames(const std::vector<std::string>& names);

}  // namespace vantor
