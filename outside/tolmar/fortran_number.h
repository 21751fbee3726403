#pragma once
// Numbers as CHEMKIN inputs write them: Fortran reals with an E or D exponent, with or without
// a decimal point (".00", "1.0D+10", "-.6707", "3").

#include <string_view>

namespace vantor::tolmar {

// Reads the whole text as one finite number; false for anything else (empty, trailing
// characters, "inf", "nan", an overflowing exponent).
bool ParseNumber(std::string_view text, double& value);

// A number of a fixed-column field. Fortran E formats of some writers leave a blank where a "+"
// exponent sign stands ("0.869E 01" = 8.69); such a field reads with the positive exponent and
// `blankSign` is set, so the reader can say what it assumed.
bool ParseFieldNumber(std::string_view text, double& value, bool& blankSign);

}  // namespace vantor::tolmar
