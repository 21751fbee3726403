#pragma once
// Numbers as CHEMKIN inputs write them: Fortran reals with an E or D exponent, with or without
// a decimal point (".00", "1.0D+10", "-.6707", "3").

#include <string_view>

namespace vantor::tolmar {

// Reads the whole text as one finite number; false for anything else (empty, trailing
// characters, "inf", "nan", an overflowing exponent).
bool ParseNumber(std::string_view text, double& value);

}  // namespace vantor::tolmar
