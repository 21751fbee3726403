// "Create Species list": the species check-list derived from the SPECIES section of the text.

#include <string>
#include <unordered_map>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/text_format.h"

namespace vantor {

namespace {

// Names of one species line: runs of non-blank characters before the first "!".
std::vector<std::string> NamesOnLine(const std::string& line) {
    std::vector<std::string> names;
    std::string name;
    for (char c : line) {
        if (c == '!') break;
        if (c != ' ') {
            name += c;
        } else if (!name.empty()) {
            names.push_back(std::move(name));
            name.clear();
        }
    }
    if (!name.empty() && ToUpperAscii(name) != "END") names.push_back(std::move(name));
    return names;
}

}  // namespace

std::vector<std::string> CreateSpeciesList(MechanismModel& model) {
    std::vector<std::string> warnings;
    model.Species.clear();
    // A species declared twice keeps its first position, so species numbers agree with the
    // mechanism binary, which keeps the first declaration too.
    std::unordered_map<std::string, size_t> position;
    bool inSection = false;
    for (size_t i = 0; i < model.MechanismText.size(); ++i) {
        const std::string line = TrimBlanks(model.MechanismText[i].text);
        if (line.empty() || line[0] == '!') continue;
        const std::string upper = ToUpperAscii(line);
        if (!inSection) {
            inSection = upper.find("SPECIES") != std::string::npos;
            continue;
        }
        if (upper.find("END") != std::string::npos) break;
        for (auto& name : NamesOnLine(line)) {
            const auto [it, added] = position.emplace(name, model.Species.size() + 1);
            if (added) {
                model.Species.push_back({std::move(name), true});
            } else {
                warnings.push_back("> Species " + name + " is declared again on line " + std::to_string(i + 1) +
                                   "; the list keeps its first declaration (species #" +
                                   std::to_string(it->second) + ").");
            }
        }
    }
    model.SpeciesTitleCaption = "Species List(" + std::to_string(model.Species.size()) + ")";
    return warnings;
}

}  // namespace vantor
