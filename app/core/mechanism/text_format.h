#pragma once
// Number and date patterns of the files the workbench writes, and small text helpers.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/local_timestamp.h"

namespace vantor {

// A value with exactly `decimals` decimals and at least one integer digit ("0.0000", "0.00"),
// halves rounded away from zero, `separator` as the decimal separator.
std::string FormatFixed(double value, int decimals, char separator = '.');

// A whole token as a decimal integer (optional sign); nullopt for anything else or outside the
// 32-bit range.
std::optional<int32_t> ParseInt32(std::string_view token);

// A whole token as a number in the C locale ("1.5", "1e-8"); nullopt for anything else.
std::optional<double> ParseNumberC(std::string_view token);

// Blanks and control characters (codes up to 32), as trimming treats them; UTF-8 bytes are kept.
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
std::string TrimBlanks(std::string_view text);
std::string TrimLeadingBlanks(std::string_view text);
std::string ToUpperAscii(std::string_view text);
// Splits at blanks; runs of blanks give no empty tokens.
std::vector<std::string> SplitAtBlanks(std::string_view text);

// Joins lines with CR LF after each one: the line ends of every file the workbench writes.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace vantor
