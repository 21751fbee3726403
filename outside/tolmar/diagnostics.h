#pragma once
// Errors and warnings of one compilation. Every error names the file, the line and the text at
// fault and says what was expected; the first error's class becomes the run's status.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "outside/tolmar/compile_status.h"

namespace vantor::tolmar {

// A place in an input file; line 0 means the file as a whole.
struct Location {
    std::string_view file;
    int line = 0;
};

class Diagnostics {
public:
    // Kept messages per kind; later ones are only counted, so hostile input cannot flood memory.
    static constexpr size_t kMaxKept = 500;

    void Error(CompileStatus status, Location where, std::string_view problem, std::string_view text,
               std::string_view expected);
    void Warning(Location where, std::string_view message);

    bool HasErrors() const { return errorCount_ > 0; }
    int32_t Status() const { return firstStatus_; }
    size_t ErrorCount() const { return errorCount_; }
    size_t WarningCount() const { return warningCount_; }
    const std::vector<std::string>& Errors() const { return errors_; }
    const std::vector<std::string>& Warnings() const { return warnings_; }

private:
    std::vector<std::string> errors_, warnings_;
    size_t errorCount_ = 0, warningCount_ = 0;
    int32_t firstStatus_ = kCompileOk;
};

// "file, line n" (or "file" for line 0).
std::string DescribeLocation(Location where);

// The text as shown in a message: long texts are cut, control characters replaced.
std::string Excerpt(std::string_view text);

}  // namespace vantor::tolmar
