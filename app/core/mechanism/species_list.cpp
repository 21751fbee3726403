// "Create Species list": the species check-list derived from the SPECIES section of the text.

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/section_keywords.h"
#include "app/core/mechanism/text_format.h"

namespace vantor {

namespace {

// Names of one species line: runs of non-blank characters before the comment, up to the word END.
// `ended` tells whether END closed the section on this line.
std::vector<std::string> NamesOnLine(std::string_view line, bool& ended) {
    const size_t end = FindEndWord(line);
    ended = end != std::string_view::npos;
    return SplitAtBlanks(WithoutComment(ended ? line.substr(0, end) : line));
}

}  // namespace

std::vector<std::string> CreateSpeciesList(MechanismModel& model) {
    std::vector<std::string> warnings;
    model.Species.clear();
    // A species declared twice keeps its first position, so species numbers agree with the
    // mechanism binary, which keeps the first declaration too.
    std::unordered_map<std::string, size_t> position;
    // The section as the compiler reads it: from the line beginning with SPECIES (names on that
    // line count) to the word END or the next section keyword.
    bool inSection = false;
    for (size_t i = 0; i < model.MechanismText.size(); ++i) {
        const std::string line = TrimBlanks(model.MechanismText[i].text);
        if (line.empty() || line[0] == '!') continue;
        const MechanismKeyword keyword = LeadingKeyword(line);
        std::string_view names = line;
        if (!inSection) {
            if (keyword != MechanismKeyword::Species) continue;
            inSection = true;
            names.remove_prefix(std::min(names.size(), names.find_first_of(" !")));
        } else if (OpensSection(keyword)) {
            break;
        }
        bool ended = false;
        for (auto& name : NamesOnLine(names, ended)) {
            const auto [it, added] = position.emplace(name, model.Species.size() + 1);
            if (added) {
                model.Species.push_back({std::move(name), true});
            } else {
                warnings.push_back("> Species " + name + " is declared again on line " + std::to_string(i + 1) +
                                   "; the list keeps its first declaration (species #" +
                                   std::to_string(it->second) + ").");
            }
        }
        if (ended) break;
    }
    model.SpeciesTitleCaption = "Species List(" + std::to_string(model.Species.size()) + ")";
    return warnings;
}

}  // namespace vantor
