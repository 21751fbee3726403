#include "app/core/pipeline/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vantor {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Checks the decimal grammar first, so from_chars never sees "inf", "nan" or hex digits.
bool IsDecimalReal(std::string_view t) {
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == t.size();
}

std::string WithSeparator(std::string text, char separator) {
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

}  // namespace

std::optional<double> ParseCLocaleNumber(std::string_view text) {
    std::string_view t = TrimView(text);
    if (!IsDecimalReal(t)) return std::nullopt;
    if (t.front() == '+') t.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

LocaleNumbers CLocaleNumbers() { return LocaleNumbers{ParseCLocaleNumber, '.'}; }

std::optional<long long> ParseDecimalInteger(std::string_view text) {
    std::string_view t = TrimView(text);
    const bool plus = !t.empty() && t.front() == '+';
    if (plus) t.remove_prefix(1);
    if (t.empty() || (plus && !IsDigit(t.front()))) return std::nullopt;
    long long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return value;
}

std::string FormatWholeNumber(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    const double rounded = std::round(value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded == 0.0 ? 0.0 : rounded);
    return buffer;
}

std::string FormatThreeDecimals(double value, char decimalSeparator) {
    if (!std::isfinite(value)) return FormatWholeNumber(value);
    // Round halves away from zero on the decimal value, as the display pattern does.
    const double scaled = std::round(value * 1000.0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", (scaled == 0.0 ? 0.0 : scaled) / 1000.0);
    return WithSeparator(buffer, decimalSeparator);
}

std::string TrimBlanksAndTabs(std::string_view text) { return std::string(TrimView(text)); }

}  // namespace vantor
