#include "app/core/pipeline/settings_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "app/core/pipeline/job_record_fill.h"
#include "app/core/pipeline/number_text.h"
#include "common/atomic_file.h"

namespace vantor {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The section named by a "[name]" line, if the line is one.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string t = TrimBlanksAndTabs(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    return TrimBlanksAndTabs(t.substr(1, t.size() - 2));
}

// The key of a "key=value" line, if the line is one.
std::optional<std::string> KeyName(const std::string& line) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const std::string t = TrimBlanksAndTabs(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    return TrimBlanksAndTabs(line.substr(0, eq));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    bool inSection = false;
    for (const std::string& line : Lines(text)) {
        if (const auto name = SectionName(line)) {
            inSection = SameName(*name, section);
        } else if (inSection) {
            if (const auto k = KeyName(line); k && SameName(*k, key)) return TrimBlanksAndTabs(line.substr(line.find('=') + 1));
        }
    }
    return "";
}

std::string IniWithValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value) {
    std::vector<std::string> lines = Lines(text);
    const std::string entry = key + "=" + value;
    bool inSection = false;
    std::optional<size_t> sectionEnd;  // where a missing key goes: after the section's last non-empty line
    bool done = false;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (inSection) break;
            inSection = SameName(*name, section);
            if (inSection) sectionEnd = i + 1;
        } else if (inSection) {
            if (const auto k = KeyName(lines[i]); k && SameName(*k, key)) {
                lines[i] = entry;
                done = true;
            } else if (!TrimBlanksAndTabs(lines[i]).empty()) {
                sectionEnd = i + 1;
            }
        }
    }
    if (!done && sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else if (!done) {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

std::string ReadSetting(const std::string& systemDirectory, const std::string& section, const std::string& key) {
    return IniValue(ReadWholeFile(JoinPath(systemDirectory, kSettingsFileName)), section, key);
}

bool WriteSetting(const std::string& systemDirectory, const std::string& section, const std::string& key,
                  const std::string& value, std::string* error) {
    const std::string path = JoinPath(systemDirectory, kSettingsFileName);
    if (value.find_first_of("\r\n") != std::string::npos) {
        if (error) *error = "a setting cannot hold a line break: " + value;
        return false;
    }
    return WriteFileAtomically(path, IniWithValue(ReadWholeFile(path), section, key, value), error);
}

std::string InitialWorkDirectory(const std::string& systemDirectory) {
    const std::string stored = ReadSetting(systemDirectory, kSystemSection, kWorkDirectoryKey);
    return stored.empty() ? systemDirectory : stored;
}

}  // namespace vantor
