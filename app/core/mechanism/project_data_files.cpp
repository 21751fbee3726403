#include "app/core/mechanism/project_data_files.h"

#include "app/core/mechanism/project_file.h"
#include "app/core/mechanism/species_names.h"
#include "app/core/mechanism/text_format.h"

namespace vantor {

namespace {

constexpr const char* kThermoKey = "Thermo=";
constexpr const char* kTransportKey = "Transport=";
constexpr const char* kTargetsKey = "Targets=";
constexpr const char* kKeepKey = "Keep=";

// The text after `key` when `line` (leading blanks ignored) starts with it in any letter case.
bool AfterKey(const std::string& line, const std::string& key, std::string& value) {
    const std::string text = TrimLeadingBlanks(line);
    if (text.size() < key.size() || ToUpperAscii(text.substr(0, key.size())) != ToUpperAscii(key)) return false;
    value = TrimBlanks(text.substr(key.size()));
    return true;
}

}  // namespace

std::vector<std::string> DataFileLines(const ProjectData& project) {
    std::vector<std::string> lines;
    if (!project.thermoPath.empty()) lines.push_back(kThermoKey + project.thermoPath);
    if (!project.transportPath.empty()) lines.push_back(kTransportKey + project.transportPath);
    if (!project.targetSpecies.empty()) lines.push_back(kTargetsKey + JoinSpeciesNames(project.targetSpecies));
    if (!project.alwaysKept.empty()) lines.push_back(kKeepKey + project.alwaysKept);
    for (const ReactorCaseLine& line : project.reactorCases) lines.push_back(ReactorCaseKey(line.kind) + line.text);
    return lines;
}

bool TakeDataFileLine(const std::string& line, ProjectData& project, std::string* error) {
    for (const ReactorKind kind : {ReactorKind::kFlame, ReactorKind::kStirredReactor}) {
        std::string values, reason;
        if (!AfterKey(line, ReactorCaseKey(kind), values)) continue;
        const auto parsed = ParseReactorCaseLine(kind, values, reason);
        if (parsed && !CaseLinesOf(project.reactorCases, kind).empty())
            reason = std::string("a project holds one ") + ReactorCaseKey(kind) + " line, with all its equivalence ratios";
        if (reason.empty()) project.reactorCases.push_back(*parsed);
        else if (error) *error = reason;
        return true;
    }
    if (AfterKey(line, kThermoKey, project.thermoPath) || AfterKey(line, kTransportKey, project.transportPath) ||
        AfterKey(line, kKeepKey, project.alwaysKept))
        return true;
    std::string targets;
    if (!AfterKey(line, kTargetsKey, targets)) return false;
    project.targetSpecies = SplitSpeciesNames(targets);
    return true;
}

}  // namespace vantor
