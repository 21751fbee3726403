#pragma once
// Reading the text files the workbench takes in: 8-bit text, LF or CR LF line ends.

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Splits file text into lines at LF, dropping a CR that ends a line. A final line end adds no
// empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Reads a whole file as lines. False when it cannot be opened or read; `error` then reads
// "<what> <path>: <reason>".
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string* error = nullptr,
                   const char* what = "cannot read");

}  // namespace vantor
