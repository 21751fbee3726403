#include "common/fixed_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vantor {
namespace {

std::string Fit(std::string text, int width) {
    if (static_cast<int>(text.size()) > width) return std::string(static_cast<size_t>(width), '*');
    return std::string(static_cast<size_t>(width) - text.size(), ' ') + text;
}

}  // namespace

std::string FormatI(long long value, int width) { return Fit(std::to_string(value), width); }

std::string FormatA(std::string_view text, int width) {
    if (static_cast<int>(text.size()) >= width) return std::string(text.substr(0, static_cast<size_t>(width)));
    return std::string(static_cast<size_t>(width) - text.size(), ' ') + std::string(text);
}

std::string FormatE(double value, int width, int digits) {
    if (std::isnan(value)) return Fit("NaN", width);
    if (std::isinf(value)) return Fit(value > 0 ? "Infinity" : "-Infinity", width);
    std::string mantissa;
    int exponent = 0;
    if (value != 0.0) {
        // d.ddd...e±XX with `digits` significant digits, then shift the point one place left.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
        const std::string s(buf);
        const size_t e = s.find('e');
        mantissa = s.substr(0, 1) + (digits > 1 ? s.substr(2, e - 2) : "");
        exponent = std::atoi(s.c_str() + e + 1) + 1;
    } else {
        mantissa.assign(static_cast<size_t>(digits), '0');
    }
    std::string text = std::signbit(value) && value != 0.0 ? "-0." : "0.";
    text += mantissa;
    const int absExp = std::abs(exponent);
    char expBuf[16];
    if (absExp <= 99) {
        std::snprintf(expBuf, sizeof expBuf, "E%c%02d", exponent < 0 ? '-' : '+', absExp);
    } else {
        std::snprintf(expBuf, sizeof expBuf, "%c%03d", exponent < 0 ? '-' : '+', absExp);
    }
    return Fit(text + expBuf, width);
}

std::string FormatFull(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

}  // namespace vantor
