#pragma once
// Fixed-format fields of the run listings: Iw, Aw and Ew.d. A value too wide for its field is
// written as w asterisks.

#include <string>
#include <string_view>

namespace vantor {

// Iw: the integer right-aligned in w characters.
std::string FormatI(long long value, int width);

// Aw: a text in w characters; a shorter text is right-aligned, a longer one keeps its first w.
std::string FormatA(std::string_view text, int width);

// Ew.d: 0.ddd (d digits) followed by E and a signed two-digit exponent, right-aligned in w.
// A three-digit exponent drops the E (0.123456+100), as Fortran does.
std::string FormatE(double value, int width, int digits);

inline std::string FormatE16_6(double value) { return FormatE(value, 16, 6); }

// A real with every digit needed to read it back exactly (shortest round-trip form).
std::string FormatFull(double value);

}  // namespace vantor
