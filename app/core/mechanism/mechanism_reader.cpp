#include "app/core/mechanism/mechanism_reader.h"

#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/text_format.h"

namespace vantor {

bool IsReactionLine(std::string_view line) {
    const std::string text = TrimLeadingBlanks(line);
    return !text.empty() && text[0] != '!' && text.find('=') != std::string::npos;
}

std::string DeriveMechanismBinaryPath(const std::string& mechanismPath) {
    // The file name's ending becomes "bin"; a name without one gets ".bin" appended, so that
    // "mech-A1" and "mech-A2" do not share a binary.
    const size_t slash = mechanismPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = mechanismPath.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) return mechanismPath + ".bin";
    return mechanismPath.substr(0, dot + 1) + "bin";
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void UpdateDetailedCounts(MechanismModel& model) {
    model.DetailedSpeciesCount = static_cast<int32_t>(model.Species.size());
    model.SpeciesTitleCaption = "Detailed(SP#=" + std::to_string(model.DetailedSpeciesCount) +
                                ",RA#=" + std::to_string(model.DetailedReactionCount) + ")";
    model.RemovedSpeciesNames.clear();
    model.RemovedSpeciesNames.reserve(model.Species.size());
}

MechanismOpenResult OpenMechanism(MechanismModel& model, const std::string& path) {
    MechanismOpenResult result;
    model.ReducedInpReady = false;
    model.MechanismPath = path;
    result.workDirectory = DirectoryOf(path);

    model.MechanismBinaryPath = DeriveMechanismBinaryPath(path);
    model.GenerationPending = false;
    model.ThermoPath.clear();
    model.TransportPath.clear();
    model.MechanismText.clear();
    model.Species.clear();
    model.ReducedText.clear();
    model.KeepCaption.clear();
    model.ReducedCountsCaption.clear();
    model.ReactionTrimCaption.clear();
    model.DetailedReactionCount = 0;
    model.KeptSpeciesCount = 0;
    model.ReducedReactionCount = 0;

    std::vector<std::string> lines;
    std::string error;
    if (!ReadTextLines(path, lines, &error, "Cannot read the mechanism file")) {
        result.error = "<E> " + error;
        UpdateDetailedCounts(model);
        return result;
    }
    model.MechanismText.reserve(lines.size());
    for (auto& line : lines) {
        for (char& c : line) {
            if (c == '\t') c = ' ';
        }
        if (IsReactionLine(line)) ++model.DetailedReactionCount;
        model.MechanismText.push_back({std::move(line), true});
    }
    result.messages = CreateSpeciesList(model);
    UpdateDetailedCounts(model);
    result.ok = true;
    return result;
}

}  // namespace vantor
