#pragma once
// Whole-file conversions between CHEMKIN files and Cantera YAML: the CHEMKIN mechanism (with its
// thermo and transport files) to one YAML file, and a YAML file to the CHEMKIN mechanism, thermo
// and transport files everything else of the workbench reads.

#include <string>

namespace vantor::yaml {

inline constexpr const char* kReducedYamlFileName = "NEW_Chem.yaml";

struct ChemkinPaths {
    std::string mechanism;
    std::string thermo;     // empty: the mechanism's own THERMO ALL section
    std::string transport;  // empty: no transport data
};

// Reads and interprets the CHEMKIN files and writes `yamlPath` atomically. False with the file,
// line and reason in `error` (and nothing written) when the files cannot be read or interpreted,
// or a reaction has no YAML form.
bool ConvertChemkinToYaml(const ChemkinPaths& sources, const std::string& yamlPath, std::string* error);

// NEW_Chem.yaml in `folder` from NEW_Chem.inp and the NEW_Therm.dat / NEW_Tran.dat written
// beside it. On failure an earlier NEW_Chem.yaml there is removed, since it would describe
// another mechanism.
bool WriteReducedYaml(const std::string& folder, std::string* error);

// A path ending in .yaml or .yml, in any letter case.
bool IsYamlMechanismPath(const std::string& path);

// The CHEMKIN files of a YAML mechanism, written into `folder` as STEM.inp, STEM_therm.dat and
// (when its species have transport data) STEM_tran.dat, each with a header naming the source.
// False with the file, line, column and what was expected in `error`, nothing written, when the
// YAML does not parse or lacks what a mechanism needs or holds what the binary cannot.
bool ConvertYamlToChemkin(const std::string& yamlPath, const std::string& folder, ChemkinPaths& written,
                          std::string* error);

}  // namespace vantor::yaml
