#pragma once
// The transport binary ("Tran.bin"): record-framed like the mechanism binary (a 4-byte
// little-endian byte count before and after each record; integers 4 bytes, reals 8 bytes, names
// 16 bytes blank padded). Records, in order:
//   1  name "PELLOR-TRAN 1", KK, NO (coefficients per fit), NT (temperatures fitted),
//      TMIN, TMAX (K, the fitted range), PREF (dyn/cm2, the pressure of the diffusion fits)
//   2  KK species names, in the mechanism's order
//   3  KK molecular weights, g/mol
//   4  KK geometries (0 atom, 1 linear, 2 nonlinear)
//   5  (5, KK) parameters per species: eps/k (K), sigma (Angstrom), dipole moment (Debye),
//      polarizability (Angstrom^3), rotational relaxation number at 298 K
//   6  (NO, KK) viscosity fits: ln(mu / (g/(cm s))) = sum_n a_n (ln T)^n
//   7  (NO, KK) thermal conductivity fits: ln(lambda / (erg/(cm s K)))
//   8  (NO, KK, KK) binary diffusion fits at PREF: ln(D_jk / (cm2/s)); D at P is D(PREF) PREF/P
// Arrays are stored first index fastest.

#include <cstdint>
#include <string>
#include <vector>

#include "outside/pellor/transport_data.h"

namespace vantor::pellor {

inline constexpr const char* kTransportBinaryName = "PELLOR-TRAN 1";

struct TransportFits {
    int coefficients = 0;
    int temperatures = 0;
    double minTemperature = 0.0, maxTemperature = 0.0, referencePressure = 0.0;
    std::vector<std::string> names;
    std::vector<double> weights;
    std::vector<TransportParameters> parameters;
    std::vector<double> viscosity;     // (NO, KK)
    std::vector<double> conductivity;  // (NO, KK)
    std::vector<double> diffusion;     // (NO, KK, KK)
};

// Writes the binary to `path` through a temporary file (see atomic_file.h); on failure returns
// false with the reason in `error`, and an earlier file stays as it was.
bool WriteTransportBinary(const std::string& path, const TransportFits& fits, std::string& error);

// Reads a transport binary written by WriteTransportBinary; false with the reason (file, record) in
// `error`. Names come back without their blank padding.
bool ReadTransportBinary(const std::string& path, TransportFits& fits, std::string& error);

}  // namespace vantor::pellor
