#pragma once
// Output files are written to a temporary file in the same folder and renamed into place, so a
// failure never leaves a half file where a good one stood.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Writes `content` to `path` through a temporary sibling and a rename. On failure returns false,
// removes the temporary and leaves any earlier file untouched; `error` gets the reason.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error = nullptr);
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& content,
                         std::string* error = nullptr);

}  // namespace vantor
