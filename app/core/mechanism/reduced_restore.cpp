#include "app/core/mechanism/reduced_restore.h"

#include <set>
#include <sstream>

#include "app/core/mechanism/reduced_writer.h"
#include "app/core/mechanism/section_keywords.h"
#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/trimming.h"

namespace vantor {

namespace {

constexpr size_t kHeaderLines = 12;  // the writer's header, and a target search's two lines more

// "!Detailed SP#=53,RA#=325=>Reduced SP#=30;RA#=180" of this mechanism: the reduced counts.
bool ReadCounts(const std::vector<std::string>& lines, const MechanismModel& model, int& species, int& reactions) {
    const std::string detailed = "!Detailed SP#=" + std::to_string(model.DetailedSpeciesCount) +
                                 ",RA#=" + std::to_string(model.DetailedReactionCount) + "=>Reduced SP#=";
    for (size_t i = 0; i < std::min(kHeaderLines, lines.size()); ++i) {
        if (lines[i].rfind(detailed, 0) != 0) continue;
        char separator = 0;
        std::istringstream rest(lines[i].substr(detailed.size()));
        std::string label;
        if (rest >> species >> separator && separator == ';' && std::getline(rest, label, '=') && label == "RA#" &&
            rest >> reactions)
            return true;
    }
    return false;
}

// The names of the species section that are not commented out.
std::set<std::string> KeptNames(const std::vector<std::string>& lines) {
    std::set<std::string> kept;
    bool inSpecies = false;
    for (const std::string& line : lines) {
        const MechanismKeyword keyword = LeadingKeyword(line);
        if (keyword == MechanismKeyword::Species) {
            inSpecies = true;
            continue;
        }
        if (!inSpecies) continue;
        if (OpensSection(keyword)) break;
        const std::string_view text = WithoutComment(line);
        const size_t end = FindEndWord(text);
        std::istringstream names(std::string(text.substr(0, end)));
        for (std::string name; names >> name;) kept.insert(name);
        if (end != std::string_view::npos) break;
    }
    return kept;
}

}  // namespace

bool RestoreReducedMechanism(MechanismModel& model, const std::string& workDirectory) {
    if (model.Species.empty()) return false;
    std::vector<std::string> lines;
    const std::string path = (workDirectory.empty() ? std::string(".") : workDirectory) + "/" + kReducedMechanismFileName;
    if (!ReadTextLines(path, lines)) return false;
    int species = 0, reactions = 0;
    if (!ReadCounts(lines, model, species, reactions)) return false;
    const std::set<std::string> kept = KeptNames(lines);
    int known = 0;
    for (const SpeciesEntry& s : model.Species) known += kept.count(s.name) ? 1 : 0;
    if (known != species || static_cast<int>(kept.size()) != species) return false;

    model.RemovedSpeciesNames.clear();
    for (SpeciesEntry& s : model.Species) {
        s.checked = kept.count(s.name) > 0;
        if (!s.checked) model.RemovedSpeciesNames.push_back(s.name);
    }
    UpdateSpeciesCounts(model);
    model.ReducedText = std::move(lines);
    model.ReducedReactionCount = reactions;
    model.ReducedCountsCaption =
        "Reduced Chemistry (SP#=" + std::to_string(species) + ", RA#=" + std::to_string(reactions) + ")";
    model.GenerationPending = false;
    model.ReducedInpReady = true;
    return true;
}

}  // namespace vantor
