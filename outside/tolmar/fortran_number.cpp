#include "outside/tolmar/fortran_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vantor::tolmar {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the Fortran real grammar and returns the text in the form from_chars reads.
bool Normalise(std::string_view text, std::string& out) {
    size_t i = 0;
    out.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out += '-';
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) out += text[i++], ++digits;
    if (i < text.size() && text[i] == '.') {
        out += text[i++];
        while (i < text.size() && IsDigit(text[i])) out += text[i++], ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
        size_t expDigits = 0;
        while (i < text.size() && IsDigit(text[i])) out += text[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == text.size();
}

}  // namespace

bool ParseNumber(std::string_view text, double& value) {
    std::string normalised;
    if (!Normalise(text, normalised)) return false;
    double v = 0.0;
    const auto r = std::from_chars(normalised.data(), normalised.data() + normalised.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is refused.
        const size_t e = normalised.find('e');
        if (e != std::string::npos && normalised.find('-', e) != std::string::npos) {
            value = 0.0;
            return true;
        }
        return false;
    }
    if (r.ec != std::errc() || r.ptr != normalised.data() + normalised.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseFieldNumber(std::string_view text, double& value, bool& blankSign) {
    blankSign = false;
    if (ParseNumber(text, value)) return true;
    const size_t e = text.find_first_of("EeDd");
    if (e == std::string_view::npos || e + 1 >= text.size() || text[e + 1] != ' ') return false;
    const size_t digits = text.find_first_not_of(' ', e + 1);
    if (digits == std::string_view::npos || !IsDigit(text[digits])) return false;
    std::string signed_(text.substr(0, e + 1));
    signed_ += '+';
    signed_ += text.substr(digits);
    if (!ParseNumber(signed_, value)) return false;
    blankSign = true;
    return true;
}

}  // namespace vantor::tolmar
