#include "app/core/yaml/yaml_scalars.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vantor::yaml {
namespace {

// Words YAML 1.1 readers turn into booleans or null (NO, the nitric oxide, among them).
bool IsReservedWord(std::string_view text) {
    static constexpr std::array<std::string_view, 11> kWords = {"y",    "n",     "yes",  "no", "on", "off",
                                                                "true", "false", "null", "~",  ""};
    std::string lower;
    for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::string_view w : kWords)
        if (lower == w) return true;
    return false;
}

// A text a reader would take for a number ("1", "1e5", ".5", "0x1F", "1_000").
bool LooksNumeric(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() + copy.size()) return true;
    return text.find_first_not_of("0123456789_.+-eExXabcdefABCDEF:") == std::string_view::npos &&
           std::isdigit(static_cast<unsigned char>(text.front()));
}

}  // namespace

std::string FormatReal(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? ".nan" : (value > 0 ? ".inf" : "-.inf");
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    const size_t exponent = text.find('e');
    if (text.find('.') == std::string::npos) text.insert(exponent == std::string::npos ? text.size() : exponent, ".0");
    return text;
}

std::string FormatCount(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) return std::to_string(static_cast<long long>(value));
    return FormatReal(value);
}

std::string Scalar(std::string_view text) {
    bool plain =
        !text.empty() && !IsReservedWord(text) && !LooksNumeric(text) && text.front() != ' ' && text.back() != ' ';
    static constexpr std::string_view kIndicators = "-?:,[]{}#&*!|>'\"%@`";
    if (plain && kIndicators.find(text.front()) != std::string_view::npos) plain = false;
    for (size_t i = 0; plain && i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' || c == '[' || c == ']' || c == '{' || c == '}' || c == '"' || c == '\\' ||
            static_cast<unsigned char>(c) < 0x20)
            plain = false;
        if (c == ':' && (i + 1 == text.size() || text[i + 1] == ' ')) plain = false;
        if (c == '#' && i > 0 && text[i - 1] == ' ') plain = false;
    }
    if (plain) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace vantor::yaml
