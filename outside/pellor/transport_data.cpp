#include "outside/pellor/transport_data.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace vantor::pellor {
namespace {

std::vector<std::string> Tokens(std::string_view line) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i >= line.size() || line[i] == '!') break;
        const size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) && line[i] != '!') ++i;
        tokens.emplace_back(line.substr(start, i - start));
    }
    return tokens;
}

// A Fortran real: "D" exponents allowed; the whole token must be the number.
bool ReadNumber(std::string token, double& value) {
    for (char& c : token) {
        if (c == 'D' || c == 'd') c = 'E';
    }
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return !token.empty() && end == token.c_str() + token.size() && std::isfinite(value);
}

// Fills `p` from the tokens after the name; the reason when they are not a valid entry.
std::string ReadEntry(const std::vector<std::string>& tokens, TransportParameters& p) {
    if (tokens.size() < 7) {
        return "expected a name and 6 numbers, found " + std::to_string(tokens.size() - 1) + " values";
    }
    double v[6];
    for (int i = 0; i < 6; ++i) {
        const std::string& token = tokens[static_cast<size_t>(i) + 1];
        if (!ReadNumber(token, v[i])) return "\"" + token + "\" is not a number";
    }
    if (v[0] != 0.0 && v[0] != 1.0 && v[0] != 2.0) return "geometry " + tokens[1] + " is not 0, 1 or 2";
    if (!(v[1] > 0.0)) return "well depth " + tokens[2] + " is not above 0";
    if (!(v[2] > 0.0)) return "collision diameter " + tokens[3] + " is not above 0";
    if (v[3] < 0.0 || v[4] < 0.0 || v[5] < 0.0) {
        return "a negative dipole moment, polarizability or rotational relaxation";
    }
    p.geometry = static_cast<int>(v[0]);
    p.wellDepth = v[1];
    p.collisionDiameter = v[2];
    p.dipoleMoment = v[3];
    p.polarizability = v[4];
    p.rotationalRelaxation = v[5];
    return {};
}

}  // namespace

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

TransportData ParseTransportData(std::string_view text) {
    TransportData data;
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto tokens = Tokens(line);
        if (tokens.empty() || UpperCase(tokens[0]) == "END") continue;
        TransportParameters p;
        p.name = tokens[0];
        p.line = lineNumber;
        const std::string reason = ReadEntry(tokens, p);
        if (!reason.empty()) {
            data.problems.push_back({p.name, lineNumber, std::string(line), reason});
            continue;
        }
        const std::string key = UpperCase(p.name);
        if (data.entries.count(key)) {
            data.repeated.push_back(p);
        } else {
            data.entries.emplace(key, p);
        }
    }
    return data;
}

}  // namespace vantor::pellor
