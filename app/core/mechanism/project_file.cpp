#include "app/core/mechanism/project_file.h"

#include <filesystem>

#include "app/core/mechanism/project_data_files.h"
#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/yaml/mechanism_conversion.h"
#include "common/atomic_file.h"

namespace vantor {

namespace {

constexpr size_t kFirstGridLine = 2;     // 0-based line of row 1's unit
constexpr size_t kFirstMixtureLine = 18;  // 0-based line of the first mixture

bool HoldsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

bool FormatProject(const ProjectData& project, std::string& text, std::string* error) {
    const auto refuse = [&](const std::string& what) {
        if (error) *error = "The project cannot hold a line break in " + what + ".";
        return false;
    };
    std::vector<std::string> lines{NamesOf(project.method).projectTag, project.mechanismPath};
    if (HoldsLineBreak(project.mechanismPath)) return refuse("the mechanism path");
    for (int row = 0; row < kProjectGridRows; ++row) {
        const auto& cells = project.grid[static_cast<size_t>(row)];
        if (HoldsLineBreak(cells.unit) || HoldsLineBreak(cells.value)) {
            return refuse("row " + std::to_string(row + 1) + " of the parameter grid");
        }
        lines.push_back(cells.unit);
        lines.push_back(cells.value);
    }
    for (const auto& mixture : project.mixtureLines) {
        if (HoldsLineBreak(mixture)) return refuse("a mixture line");
        lines.push_back(mixture);
    }
    // The mixture text ends with one line end even when it is empty.
    if (project.mixtureLines.empty()) lines.emplace_back();
    for (const auto& line : DataFileLines(project)) {
        if (HoldsLineBreak(line)) return refuse("a thermo or transport file name or a target species");
        lines.push_back(line);
    }
    text = JoinCrLf(lines);
    return true;
}

std::string StoredProjectPath(const std::string& projectPath, const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    namespace fs = std::filesystem;
    std::error_code failed;
    const fs::path folder = fs::absolute(fs::path(projectPath), failed).parent_path().lexically_normal();
    if (failed) return path;
    const fs::path relative = fs::path(path).lexically_normal().lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..") return path;
    return relative.string();
}

bool SaveProject(const std::string& path, const ProjectData& project, std::string* error) {
    // Files in the project's folder are stored relative to it, so a copied or moved folder
    // still opens with its own files.
    ProjectData stored = project;
    stored.mechanismPath = StoredProjectPath(path, project.mechanismPath);
    stored.thermoPath = StoredProjectPath(path, project.thermoPath);
    stored.transportPath = StoredProjectPath(path, project.transportPath);
    std::string text;
    return FormatProject(stored, text, error) && WriteFileAtomically(path, text, error);
}

std::string ResolveMechanismPath(const std::string& projectPath, const std::string& storedPath) {
    if (storedPath.empty() || storedPath[0] == '/') return storedPath;
    const std::string folder = DirectoryOf(projectPath);
    if (folder.empty()) return storedPath;
    // Joined, not normalised: ".." after a linked folder is the file system's to resolve, so the
    // run reads the file a listing of that folder shows.
    return (std::filesystem::path(folder) / storedPath).string();
}

ProjectReadResult ReadProject(const std::string& projectPath) {
    ProjectReadResult result;
    std::vector<std::string> lines;
    std::string error;
    if (!ReadTextLines(projectPath, lines, &error, "Cannot read the project file")) {
        result.error = "<E> " + error;
        return result;
    }
    result.ok = true;
    result.lineCount = static_cast<int32_t>(lines.size());
    // Lines past the end of a short file read as empty cells.
    const auto line = [&](size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    const std::string tag = line(0);
    if (tag.empty()) return result;
    result.restored = true;
    result.data.method = MethodFromProjectTag(tag);
    result.knownTag = tag == NamesOf(result.data.method).projectTag;
    result.data.mechanismPath = line(1);
    for (size_t row = 0; row < kProjectGridRows; ++row) {
        result.data.grid[row].unit = line(kFirstGridLine + 2 * row);
        result.data.grid[row].value = line(kFirstGridLine + 2 * row + 1);
    }
    for (size_t i = kFirstMixtureLine; i < lines.size(); ++i) {
        std::string caseError;
        if (TakeDataFileLine(lines[i], result.data, &caseError)) {
            if (caseError.empty()) continue;
            result.ok = result.restored = false;
            result.error = "<E> " + projectPath + ", line " + std::to_string(i + 1) + ": " + caseError + ".";
            return result;
        }
        if (!TrimBlanks(lines[i]).empty()) result.data.mixtureLines.push_back(lines[i]);
    }
    result.resolvedMechanismPath = ResolveMechanismPath(projectPath, result.data.mechanismPath);
    return result;
}

ProjectOpenResult OpenProject(MechanismModel& model, const std::string& projectPath) {
    ProjectOpenResult result;
    model.ReducedInpReady = false;
    model.MechanismPath.clear();
    result.project = ReadProject(projectPath);
    if (result.project.restored) model.MechanismPath = result.project.resolvedMechanismPath;
    if (model.MechanismPath.empty()) {
        UpdateDetailedCounts(model);
        return result;
    }
    result.mechanismRead = true;
    result.mechanism = OpenMechanism(model, model.MechanismPath);
    result.workDirectory = result.mechanism.workDirectory;
    // A YAML mechanism brings its converted data files; the project's own choice goes first.
    const std::string thermo = ResolveMechanismPath(projectPath, result.project.data.thermoPath);
    const std::string transport = ResolveMechanismPath(projectPath, result.project.data.transportPath);
    const bool fromYaml = yaml::IsYamlMechanismPath(result.project.resolvedMechanismPath);
    if (!thermo.empty() || !fromYaml) model.ThermoPath = thermo;
    if (!transport.empty() || !fromYaml) model.TransportPath = transport;
    return result;
}

}  // namespace vantor
