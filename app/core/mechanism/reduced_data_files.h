#pragma once
// The thermo and transport files of a reduced mechanism: NEW_Therm.dat and NEW_Tran.dat beside
// NEW_Chem.inp, holding only the kept species' entries, copied byte for byte from the files the
// run used, so the reduced mechanism travels with its own data.

#include <string>
#include <string_view>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"

namespace vantor {

inline constexpr const char* kReducedThermoFileName = "NEW_Therm.dat";
inline constexpr const char* kReducedTransportFileName = "NEW_Tran.dat";

// A thermo file's text reduced to `keptNames`: the THERMO line, the temperature line, each kept
// species' first 4-line entry (as the compiler reads it: names ignore letter case, the first
// entry wins) and END. Names in `skipNames` (their data come from the mechanism's own THERMO
// section, which the compiler reads first) get no entry. Line ends stay as in the source.
std::string ReducedThermoText(std::string_view source, const std::vector<std::string>& keptNames,
                              const std::vector<std::string>& skipNames);

// A transport file's text reduced to the first line of each kept species.
std::string ReducedTransportText(std::string_view source, const std::vector<std::string>& keptNames);

// The species whose thermo entries stand in the mechanism text's THERMO sections.
std::vector<std::string> MechanismThermoNames(const MechanismModel& model);

// The reduced files for the species of `model` marked in `kept` (one mark per species), from
// the model's thermo and transport files (empty: Therm.dat and Tran.dat of `workDirectory`, in
// any letter case), written atomically into `outDirectory`. A data file that does not exist has
// nothing to copy: its reduced file is not written, and an earlier one there is removed, since it
// would describe another mechanism. False, with the file and the reason in `error`, when a source
// cannot be read or a file cannot be written or removed.
bool WriteReducedDataFiles(const MechanismModel& model, const std::vector<bool>& kept,
                           const std::string& workDirectory, const std::string& outDirectory, std::string* error);

}  // namespace vantor
