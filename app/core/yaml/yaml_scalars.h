#pragma once
// Scalars as the YAML files hold them: numbers in their shortest round-trip form, and names
// quoted wherever a YAML reader (1.1 or 1.2) could take them for something other than a string.

#include <string>
#include <string_view>

namespace vantor::yaml {

// Shortest text that reads back as the same double, always with a decimal point so that every
// YAML reader takes it for a real ("1.0e+17", "300.0", "-0.5").
std::string FormatReal(double value);

// A whole value as an integer ("2"), any other as FormatReal.
std::string FormatCount(double value);

// The text as a YAML scalar: plain when it is safe in flow and block context, else double-quoted.
std::string Scalar(std::string_view text);

}  // namespace vantor::yaml
