#pragma once
// Project files (*.PRJ): the method, the mechanism path, columns 1 and 2 of the eight rows of the
// parameter grid and the mixture lines, one value per line, CR LF line ends.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/reactor_case_lines.h"
#include "common/engine_method.h"

namespace vantor {

inline constexpr int kProjectGridRows = 8;

// Columns 1 (unit) and 2 (value) of one row of the parameter grid, as typed.
struct ProjectGridRow {
    std::string unit;
    std::string value;
};

struct ProjectData {
    EngineMethod method = EngineMethod::Pfa;  // line 1: "PFAPROJ", "ECFPROJ", "DRGPROJ", "DRGEPPROJ"
    std::string mechanismPath;    // line 2, as stored (may be empty or relative)
    std::array<ProjectGridRow, kProjectGridRows> grid;  // rows 1..8 of the grid
    std::vector<std::string> mixtureLines;              // non-empty lines only after reading
    std::string thermoPath;       // optional lines after the mixtures (project_data_files.h)
    std::string transportPath;
    std::string alwaysKept;       // species names kept by every engine, blank-separated
    std::vector<std::string> targetSpecies;  // optional "Targets=" line (project_data_files.h)
    std::vector<ReactorCaseLine> reactorCases;  // optional "Flame=" and "PSR=" lines, in order
};

// The file's text; a cell holding a line break is refused (false, `error` names the row).
bool FormatProject(const ProjectData& project, std::string& text, std::string* error = nullptr);
// An absolute path inside the project file's folder made relative to it ("sub/chem.inp"); any
// other path as it is.
std::string StoredProjectPath(const std::string& projectPath, const std::string& path);
// Writes the project atomically, its file paths as StoredProjectPath gives them.
bool SaveProject(const std::string& path, const ProjectData& project, std::string* error = nullptr);

struct ProjectReadResult {
    bool ok = false;           // the file was read
    bool restored = false;     // line 1 was not empty, so method, grid and mixtures apply
    bool knownTag = false;     // line 1 is one of the method tags
    std::string error;         // "<E> ..." naming the file when it cannot be read
    ProjectData data;
    int32_t lineCount = 0;     // lines in the file; fewer than 18 leaves the missing cells empty
    std::string resolvedMechanismPath;  // mechanismPath resolved against the project's folder
};

// Reads a project file. Missing cells of a short file are empty; empty mixture lines are dropped.
// A flame or stirred-reactor line that does not read fails the file, naming the line and value.
ProjectReadResult ReadProject(const std::string& projectPath);

// A relative path the project names (mechanism, thermo, transport) is taken from the project
// file's folder; an absolute or empty one is returned as it is.
std::string ResolveMechanismPath(const std::string& projectPath, const std::string& storedPath);

struct ProjectOpenResult {
    ProjectReadResult project;
    bool mechanismRead = false;
    MechanismOpenResult mechanism;  // meaningful when the project names a mechanism
    std::string workDirectory;      // the mechanism's folder when one is named, else empty
};

// "PRJ Open" without its dialog: clears the reduced state and MechanismPath, reads the project,
// then reads the named mechanism into the model as "INP Open" does, and updates the counts. The
// project's thermo and transport files, resolved like the mechanism, go to the model.
ProjectOpenResult OpenProject(MechanismModel& model, const std::string& projectPath);

}  // namespace vantor
