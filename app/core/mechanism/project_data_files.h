#pragma once
// The optional lines after a project's mixture lines: the thermo and transport files it names,
// the species it always keeps and the user's target species of DRG and DRGEP:
//   Thermo=ARAMCOMECH30.THERM
//   Transport=trandat-d
//   Keep=NO NO2 A1
//   Targets=NC7H16 O2 CO
//   Flame=1 300 0.8 1.0     and  PSR=1 300 1.0   (reactor_case_lines.h)
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

// When `line` is one of the option lines, stores its value in `project` and returns true; a
// flame or stirred-reactor line whose values do not read also returns true, with the reason in
// `error` (left untouched otherwise).
bool TakeDataFileLine(const std::string& line, ProjectData& project, std::string* error = nullptr);

}  // namespace vantor
