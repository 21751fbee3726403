#pragma once
// The files that describe one reduced mechanism in the work folder: NEW_Chem.inp with SP.TRM,
// its reduced test (New_Chem.bin, New_SAVE.dat, New_Out.dat) and the comparison CMP.dat. The
// viewer and a later "Reduced chemistry data" trust CMP.dat to describe the NEW_Chem.inp beside
// it, so the earlier mechanism's results go before a new mechanism is written, CMP.dat first, and
// a new set is put in place with CMP.dat last: a run that stops anywhere leaves at most a
// mechanism without its comparison, never the comparison of another one.

#include <string>
#include <vector>

namespace vantor {

inline constexpr const char* kComparisonFileName = "CMP.dat";
inline constexpr const char* kComparisonTableFileName = "CMP_errors.csv";  // CMP.dat as a table

// Removes CMP.dat and its table, then the reduced test's outputs, from `workDirectory`. False (with the path
// and the system's reason in `error`) when one exists and cannot be removed.
bool RemoveReducedResults(const std::string& workDirectory, std::string* error);

// A finished file and the place it goes to.
struct StagedFile {
    std::string from;
    std::string to;
};

// RemoveReducedResults and the removal of every earlier file the set replaces, then each staged
// file renamed into place in the given order (the caller puts CMP.dat last). The staging folder
// must be on the work folder's file system.
bool InstallResultSet(const std::string& workDirectory, const std::vector<StagedFile>& files, std::string* error);

}  // namespace vantor
