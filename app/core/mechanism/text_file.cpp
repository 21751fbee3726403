#include "app/core/mechanism/text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantor {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text.substr(start, stop - start));
        start = next;
    }
    return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string* error, const char* what) {
    const auto fail = [&](const std::string& reason) {
        if (error) *error = std::string(what) + " " + path + ": " + reason;
        return false;
    };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return fail("it is a folder");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(errno ? std::strerror(errno) : "cannot open");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return fail("read error");
    lines = SplitLines(content.str());
    return true;
}

}  // namespace vantor
