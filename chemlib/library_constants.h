#pragma once
// Constants of the loader and the evaluation routines.

namespace vantor::chem {

inline constexpr double kSmall = 1.0e-300;
inline constexpr double kBig = 1.0e+300;
inline constexpr double kExpArg = 690.7755278982137;  // ln(1.0e+300)

// Line end of every message line the library writes (the run listing's CR LF).
inline constexpr const char* kLineEnd = "\r\n";

}  // namespace vantor::chem
