#pragma once
// The CHEMKIN transport data file ("Tran.dat"): one line a species,
//   NAME  geometry  eps/k (K)  sigma (Angstrom)  dipole (Debye)  polarizability (Angstrom^3)  Zrot(298 K)
// geometry 0 for an atom, 1 for a linear and 2 for a nonlinear molecule. Blank lines, lines that
// begin with "!" and "END" lines are skipped; text after the six numbers (a "!" remark) is ignored.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::pellor {

struct TransportParameters {
    std::string name;
    int geometry = 0;                 // 0 atom, 1 linear, 2 nonlinear
    double wellDepth = 0.0;           // eps/k, K
    double collisionDiameter = 0.0;   // sigma, Angstrom
    double dipoleMoment = 0.0;        // Debye
    double polarizability = 0.0;      // Angstrom^3
    double rotationalRelaxation = 0.0;  // Zrot at 298 K
    int line = 0;                     // 1-based line of the file
};

// A line that is not a valid entry, with the species name it begins with.
struct TransportLineProblem {
    std::string name;
    int line = 0;
    std::string text;    // the line as read
    std::string reason;
};

struct TransportData {
    std::map<std::string, TransportParameters> entries;  // by upper-case name; the first entry of a name
    std::vector<TransportParameters> repeated;           // later entries of a name, left out
    std::vector<TransportLineProblem> problems;
};

TransportData ParseTransportData(std::string_view text);

std::string UpperCase(std::string_view text);

}  // namespace vantor::pellor
