// The reduced thermo and transport files: the entry walk over the data texts and the writing.

#include "app/core/mechanism/reduced_data_files.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <unordered_set>

#include "app/core/mechanism/section_keywords.h"
#include "common/atomic_file.h"
#include "common/fixed_names.h"

namespace vantor {

namespace fs = std::filesystem;

namespace {

using NameSet = std::unordered_set<std::string>;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

NameSet UpperSet(const std::vector<std::string>& names) {
    NameSet set;
    for (const std::string& n : names) set.insert(Upper(n));
    return set;
}

// The text's lines, each with its own line end, so a copy keeps the source's bytes.
std::vector<std::string_view> RawLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first word, ended by a blank or a "!" comment.
std::string_view FirstWord(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    size_t j = i;
    while (j < line.size() && !IsBlank(line[j]) && line[j] != '!') ++j;
    return line.substr(i, j - i);
}

bool IsMeaningful(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i < line.size() && line[i] != '!';
}

bool IsEndOfData(std::string_view line) {
    const std::string word = Upper(FirstWord(line));
    return word == "END" || word == "ENDOFDATA";
}

bool IsNumber(std::string_view word) {
    const std::string text(word);
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size();
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    if (line.empty() || line.back() != '\n') out += '\n';
}

// The entries of a thermo text from line `at` on, as the compiler groups them: a meaningful line
// and the next three meaningful lines, up to END. Calls `entry(name, first, past)` per whole
// entry; returns the index of the END line, or the line count.
template <typename Entry>
size_t WalkEntries(const std::vector<std::string_view>& lines, size_t at, Entry entry) {
    while (at < lines.size()) {
        if (!IsMeaningful(lines[at])) {
            ++at;
            continue;
        }
        if (IsEndOfData(lines[at])) return at;
        size_t have = 1, next = at + 1;
        while (have < 4 && next < lines.size()) {
            if (IsMeaningful(lines[next])) {
                if (IsEndOfData(lines[next])) break;
                ++have;
            }
            ++next;
        }
        if (have == 4) entry(Upper(FirstWord(lines[at].substr(0, 18))), at, next);
        at = next;
    }
    return at;
}

// The optional THERMO line and temperature line at the text's start: copied to `out`; returns
// the first line after them.
size_t CopyThermoHeader(const std::vector<std::string_view>& lines, std::string* out) {
    size_t at = 0;
    const auto skip = [&] {
        while (at < lines.size() && !IsMeaningful(lines[at])) ++at;
    };
    skip();
    if (at < lines.size() && LeadingKeyword(FirstWord(lines[at])) == MechanismKeyword::Thermo) {
        if (out) AppendLine(*out, lines[at]);
        ++at;
        skip();
    }
    if (at < lines.size() && IsNumber(FirstWord(lines[at]))) {
        if (out) AppendLine(*out, lines[at]);
        ++at;
    }
    return at;
}

bool ReadWhole(const std::string& path, std::string& text, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    bool ok = file != nullptr;
    char buffer[65536];
    for (size_t n; ok && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    ok = ok && !std::ferror(file);  // a folder opens, and its read fails here
    const int reason = errno;
    if (file) std::fclose(file);
    if (!ok && error) *error = "cannot read " + path + ": " + std::strerror(reason);
    return ok;
}

// One reduced file: its text from the source, or, with no source, the earlier file removed.
bool WriteOne(const std::string& source, const std::string& target, std::string* error,
              const std::function<std::string(std::string_view)>& reduce) {
    std::error_code ec;
    if (!fs::exists(source, ec)) {
        const fs::file_status st = fs::symlink_status(target, ec);
        if (!ec && (fs::is_regular_file(st) || fs::is_symlink(st)) && !fs::remove(target, ec) && ec) {
            if (error) *error = "cannot remove " + target + ": " + ec.message();
            return false;
        }
        return true;
    }
    std::string text;
    return ReadWhole(source, text, error) && WriteFileAtomically(target, reduce(text), error);
}

}  // namespace

std::string ReducedThermoText(std::string_view source, const std::vector<std::string>& keptNames,
                              const std::vector<std::string>& skipNames) {
    const std::vector<std::string_view> lines = RawLines(source);
    std::string out;
    const size_t first = CopyThermoHeader(lines, &out);
    const NameSet kept = UpperSet(keptNames);
    NameSet done = UpperSet(skipNames);
    const size_t end = WalkEntries(lines, first, [&](const std::string& name, size_t from, size_t past) {
        if (!kept.count(name) || !done.insert(name).second) return;
        for (size_t i = from; i < past; ++i) AppendLine(out, lines[i]);
    });
    AppendLine(out, end < lines.size() ? lines[end] : std::string_view("END"));
    return out;
}

std::string ReducedTransportText(std::string_view source, const std::vector<std::string>& keptNames) {
    const NameSet kept = UpperSet(keptNames);
    NameSet done;
    std::string out;
    for (const std::string_view line : RawLines(source)) {
        const std::string name = Upper(FirstWord(line));
        if (!name.empty() && kept.count(name) && done.insert(name).second) AppendLine(out, line);
    }
    return out;
}

std::vector<std::string> MechanismThermoNames(const MechanismModel& model) {
    std::vector<std::string> names;
    std::vector<std::string_view> lines;
    for (const MechanismLine& line : model.MechanismText)
        if (line.kept) lines.push_back(line.text);  // the lines the reduced mechanism keeps
    for (size_t at = 0; at < lines.size(); ++at) {
        if (LeadingKeyword(FirstWord(lines[at])) != MechanismKeyword::Thermo) continue;
        const std::vector<std::string_view> section(lines.begin() + static_cast<long>(at), lines.end());
        at += WalkEntries(section, CopyThermoHeader(section, nullptr),
                          [&](const std::string& name, size_t, size_t) { names.push_back(name); });
    }
    return names;
}

bool WriteReducedDataFiles(const MechanismModel& model, const std::vector<bool>& kept,
                           const std::string& workDirectory, const std::string& outDirectory, std::string* error) {
    std::vector<std::string> names;
    for (size_t i = 0; i < model.Species.size() && i < kept.size(); ++i)
        if (kept[i]) names.push_back(model.Species[i].name);
    const std::vector<std::string> fromMechanism = MechanismThermoNames(model);
    const auto thermo = [&](std::string_view text) { return ReducedThermoText(text, names, fromMechanism); };
    const auto transport = [&](std::string_view text) { return ReducedTransportText(text, names); };
    const std::string thermoSource =
        model.ThermoPath.empty() ? ResolveFixedName(workDirectory, "Therm.dat") : model.ThermoPath;
    const std::string transportSource =
        model.TransportPath.empty() ? ResolveFixedName(workDirectory, "Tran.dat") : model.TransportPath;
    const fs::path out(outDirectory.empty() ? "." : outDirectory);
    return WriteOne(thermoSource, (out / kReducedThermoFileName).string(), error, thermo) &&
           WriteOne(transportSource, (out / kReducedTransportFileName).string(), error, transport);
}

}  // namespace vantor
