#include "app/core/mechanism/species_names.h"

#include <algorithm>

namespace vantor {

std::vector<std::string> SplitSpeciesNames(std::string_view text) {
    std::vector<std::string> names;
    std::string name;
    const auto flush = [&] {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        name.clear();
    };
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\n') flush();
        else name += c;
    }
    flush();
    return names;
}

std::string JoinSpeciesNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
}

}  // namespace vantor
