#pragma once
// The flame data file: per case a header (pressure, unburned temperature, equivalence ratio,
// status, flame speed, points), a message line and the profiles, as text with full precision.
//   ! PREMIX flame data
//   ! Species: NAME1 NAME2 ...
//   ! Case 1  P= ... atm  Tu= ... K  Phi= ...  Status= 0  SL= ... cm/s  Points= 187
//   ! Message: converged
//   ! Columns: x(cm) T(K) u(cm/s) HRR(erg/cm3/s) X_1 ... X_KK
//   <one row per grid point>
// No solver dependency, so the desktop program can read summaries.

#include <string>
#include <vector>

namespace vantor::premix {

struct FlameCaseData {
    int number = 0;
    double pressureAtm = 0.0, temperature = 0.0;
    double phi = -1.0;  // -1: no meaning for the mixture
    int status = 0;     // 0 converged, else the case's status
    double flameSpeed = 0.0;  // cm/s, 0 unless converged
    std::string message;
    std::vector<double> x, temperatureProfile, velocity, heatRelease;
    std::vector<std::vector<double>> moleFractions;  // [point][species]
};

struct FlameCaseSummary {
    int number = 0;
    double pressureAtm = 0.0, temperature = 0.0, phi = -1.0;
    int status = 0;
    double flameSpeed = 0.0;
    int points = 0;
    std::string message;
};

// The whole file's text.
std::string FormatFlameData(const std::vector<std::string>& species, const std::vector<FlameCaseData>& cases);
// Written through a temporary (see atomic_file.h); false with the reason in `error`.
bool WriteFlameData(const std::string& path, const std::vector<std::string>& species,
                    const std::vector<FlameCaseData>& cases, std::string& error);

// The case headers of a flame data file; empty with the file and line at fault in `error` (when
// given) if the file cannot be read or a header or row is malformed.
std::vector<FlameCaseSummary> ReadFlameSummary(const std::string& path, std::string* error = nullptr);

}  // namespace vantor::premix
