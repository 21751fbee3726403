#include "app/core/pipeline/failure_reasons.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "app/core/pipeline/compare_results.h"

namespace vantor {

namespace {

std::string WithoutLeadingBlanks(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : line.substr(first);
}

}  // namespace

std::string InputFileProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "is a directory";
    if (!S_ISREG(st.st_mode)) return "is not a regular file";
    return "";
}

// The libraries mark an error line "* ERROR: ..."; Tolmar lists its errors one a line under
// "ERRORS (n)" up to the next empty line.
std::string ListingErrorLine(const std::string& listingPath) {
    std::vector<std::string> lines;
    if (!ReadTextLines(listingPath, lines)) return "";
    std::string last;
    bool inErrorList = false;
    for (const std::string& line : lines) {
        const std::string text = WithoutLeadingBlanks(line);
        if (text.rfind("ERRORS (", 0) == 0) {
            inErrorList = true;
        } else if (text.empty()) {
            inErrorList = false;
        } else if ((inErrorList && text.rfind("... ", 0) != 0) || text.rfind("* ERROR", 0) == 0) {
            last = text;
        }
    }
    return last;
}

}  // namespace vantor
