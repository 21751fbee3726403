#pragma once
// The thermo and transport files a project names, and the species it always keeps, as optional
// lines after its mixture lines:
//   Thermo=ARAMCOMECH30.THERM
//   Transport=trandat-d
//   Keep=NO NO2 A1
// (keys in any letter case; a relative path is taken from the project's folder). No mixture line
// can look like one, since a species name holds no "=". A project without them is written exactly
// as before, and one written before them opens unchanged.

#include <string>
#include <vector>

namespace vantor {

struct ProjectData;

// The option lines of `project`, nothing for a path left empty.
std::vector<std::string> DataFileLines(const ProjectData& project);

// When `line` is one of the option lines, stores its path in `project` and returns true.
bool TakeDataFileLine(const std::string& line, ProjectData& project);

}  // namespace vantor
