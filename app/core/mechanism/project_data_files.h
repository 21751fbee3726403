#pragma once
// The optional lines after a project's mixture lines: the thermo and transport files it names,
// the species it always keeps and the user's target species of DRG and DRGEP:
//   Thermo=ARAMCOMECH30.THERM
//   Transport=trandat-d
//   Keep=NO NO2 A1
//   Targets=NC7H16 O2 CO
// (keys in any letter case; a relative path is taken from the project's folder; species names
// are read by SplitSpeciesNames). No mixture line can look like one, since a species name holds
// no "=". A project without them is written exactly as before, and one written before them opens
// unchanged.

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

struct ProjectData;

// The option lines of `project`, nothing for a path left empty.
std::vector<std::string> DataFileLines(const ProjectData& project);

// When `line` is one of the option lines, stores its path in `project` and returns true.
bool TakeDataFileLine(const std::string& line, ProjectData& project);

}  // namespace vantor
