#include "app/core/mechanism/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vantor {

namespace {

// Rounds the plain decimal digits "ddd.ddddd" to `decimals`, halves away from zero.
std::string RoundDecimalString(std::string digits, int decimals) {
    const size_t point = digits.find('.');
    const size_t keep = point + (decimals > 0 ? 1 + decimals : 0);
    const bool roundUp = keep + (decimals > 0 ? 0 : 1) < digits.size() &&
                         digits[decimals > 0 ? keep : point + 1] >= '5';
    digits.resize(decimals > 0 ? keep : point);
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[i] == '.') continue;
            if (digits[i] == '9') {
                digits[i] = '0';
                continue;
            }
            ++digits[i];
            break;
        }
        if (i < 0) digits.insert(digits.begin(), '1');
    }
    return digits;
}

}  // namespace

std::string FormatFixed(double value, int decimals, char separator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    // The exact binary value in decimal, well past the digits kept, then rounded by hand so a
    // half rounds away from zero as the file patterns expect.
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals + 24, std::fabs(value));
    std::string text = RoundDecimalString(buffer, decimals);
    bool allZero = true;
    for (char c : text) {
        if (c >= '1' && c <= '9') allZero = false;
    }
    if (value < 0 && !allZero) text.insert(text.begin(), '-');
    if (separator != '.') {
        const size_t point = text.find('.');
        if (point != std::string::npos) text[point] = separator;
    }
    return text;
}

std::optional<int32_t> ParseInt32(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.front() == '+') return std::nullopt;
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseNumberC(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.front() == '+') return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string TrimBlanks(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

std::string TrimLeadingBlanks(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    return std::string(text.substr(first));
}

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::vector<std::string> SplitAtBlanks(std::string_view text) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) break;
        const size_t end = text.find(' ', start);
        tokens.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        pos = end == std::string_view::npos ? text.size() : end;
    }
    return tokens;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace vantor
