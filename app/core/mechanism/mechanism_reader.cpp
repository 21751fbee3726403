#include "app/core/mechanism/mechanism_reader.h"

#include "app/core/mechanism/section_keywords.h"
#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/yaml/mechanism_conversion.h"

namespace vantor {

bool IsReactionLine(std::string_view line) {
    // Text after "!" is a comment: a TROE line ending in "! Fc = 0.39" is no reaction, as the
    // compiler reads it.
    const std::string text = TrimLeadingBlanks(line);
    return text.substr(0, text.find('!')).find('=') != std::string::npos;
}

namespace {

// Where a line stands in the file as the compiler reads it. Once the REACTIONS section has
// closed, a line that opens no new section begins the notes real files append (references, "A = B"
// remarks), which the compiler ignores, so none of them counts as a reaction.
class ReactionLineCounter {
public:
    bool Counts(const std::string& line) {
        if (notes_) return false;
        const std::string text = TrimLeadingBlanks(line);
        const MechanismKeyword keyword = LeadingKeyword(text);
        if (closed_ && !TrimBlanks(WithoutComment(text)).empty() && !OpensSection(keyword) &&
            keyword != MechanismKeyword::End) {
            notes_ = true;
            return false;
        }
        if (inside_ && ClosesReactions(text)) {
            inside_ = false;
            closed_ = true;
        } else if (!inside_ && keyword == MechanismKeyword::Reactions) {
            inside_ = true;
        }
        return IsReactionLine(text);
    }

private:
    bool inside_ = false, closed_ = false, notes_ = false;
};

}  // namespace

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

namespace {

// A YAML mechanism is opened as the CHEMKIN files it converts to, written beside it; the
// thermo and transport files it brings are the model's data files.
// `path` is a copy: callers pass model.MechanismPath, which the open replaces.
MechanismOpenResult OpenYamlMechanism(MechanismModel& model, const std::string path) {
    yaml::ChemkinPaths converted;
    std::string error;
    if (!yaml::ConvertYamlToChemkin(path, DirectoryOf(path), converted, &error)) {
        MechanismOpenResult failed = OpenMechanism(model, "");
        model.MechanismPath = path;
        failed.workDirectory = DirectoryOf(path);
        failed.error = "<E> Cannot convert the YAML mechanism: " + error;
        return failed;
    }
    MechanismOpenResult result = OpenMechanism(model, converted.mechanism);
    model.ThermoPath = converted.thermo;
    model.TransportPath = converted.transport;
    result.messages.insert(result.messages.begin(),
                           "> " + path + " converted to " + converted.mechanism + ", " + converted.thermo +
                               (converted.transport.empty() ? "" : ", " + converted.transport));
    return result;
}

}  // namespace

MechanismOpenResult OpenMechanism(MechanismModel& model, const std::string& path) {
    if (yaml::IsYamlMechanismPath(path)) return OpenYamlMechanism(model, path);
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
    ReactionLineCounter counter;
    for (auto& line : lines) {
        for (char& c : line) {
            if (c == '\t') c = ' ';
        }
        if (counter.Counts(line)) ++model.DetailedReactionCount;
        model.MechanismText.push_back({std::move(line), true});
    }
    result.messages = CreateSpeciesList(model);
    UpdateDetailedCounts(model);
    result.ok = true;
    return result;
}

}  // namespace vantor
