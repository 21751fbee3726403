#pragma once
// Numbers as the user types and reads them: one injected parser for typed values (the desktop
// program hands in the user's locale, vantor-cli and the tests the C locale) and the decimal
// separator the run messages use.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

struct LocaleNumbers {
    // Parses a whole cell or token (surrounding blanks allowed); nullopt when it is not a
    // finite number.
    std::function<std::optional<double>(std::string_view)> parse;
    char decimalSeparator = '.';
};

// "1", "-2.5", ".5", "1.", "1.0E+10", with surrounding blanks; no "inf", "nan" or hex.
std::optional<double> ParseCLocaleNumber(std::string_view text);
LocaleNumbers CLocaleNumbers();

// Plain decimal integer with optional sign and surrounding blanks.
std::optional<long long> ParseDecimalInteger(std::string_view text);

// The pattern "0": rounded to a whole number, halves away from zero.
std::string FormatWholeNumber(double value);
// The pattern "0.000" with the given decimal separator.
std::string FormatThreeDecimals(double value, char decimalSeparator);

std::string TrimBlanksAndTabs(std::string_view text);

}  // namespace vantor
