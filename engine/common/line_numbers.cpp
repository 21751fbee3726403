#include "engine/common/line_numbers.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <locale.h>

namespace vantor::engine {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view s, size_t i) {
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

// strtod in the "C" locale, so a user's decimal comma never changes what a file means.
double StrtodC(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

}  // namespace

std::string_view LeftJustify(std::string_view line) {
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

bool ParseFreeFormatReal(std::string_view item, double& value) {
    size_t i = 0;
    bool negative = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) negative = item[i++] == '-';
    const size_t intStart = i;
    i = SkipDigits(item, i);
    size_t digits = i - intStart;
    if (i < item.size() && item[i] == '.') {
        const size_t fracStart = ++i;
        i = SkipDigits(item, i);
        digits += i - fracStart;
    }
    if (digits == 0) return false;
    const size_t mantissaEnd = i;
    std::string_view exponent;
    if (i < item.size()) {
        const char c = item[i];
        size_t expStart = i;
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') expStart = ++i;
        else if (c != '+' && c != '-') return false;
        if (i < item.size() && (item[i] == '+' || item[i] == '-')) ++i;
        const size_t expDigits = i;
        i = SkipDigits(item, i);
        if (i == expDigits || i != item.size()) return false;
        exponent = item.substr(expStart, i - expStart);
    }
    std::string text(item.substr(intStart, mantissaEnd - intStart));
    if (!exponent.empty()) {
        text += 'e';
        text += exponent;
    }
    double v = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ec == std::errc::result_out_of_range) v = StrtodC(text);  // underflow gives 0, overflow inf
    else if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    if (!std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

int32_t ToInteger(double value) {
    const double t = std::trunc(value + 0.1);
    if (!(t > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(t < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(t);
}

LineNumbers ParseLineNumbers(std::string_view line, int startColumn, int maxCount, std::vector<double>& values) {
    LineNumbers out;
    if (line.size() > kLineBufferLength) line = line.substr(0, kLineBufferLength);
    const size_t last = line.find_last_not_of(' ');
    const size_t L = last == std::string_view::npos ? 0 : last + 1;  // 1-based position of the last non-blank

    // A blank at position p ends a number when p - 1 holds a point, or a digit at or after the
    // start column; the line's last item always counts.
    long long counted = 0;
    for (size_t p = 2; p <= L; ++p) {
        if (line[p - 1] != ' ') continue;
        const char before = line[p - 2];
        if (before == '.' || (IsDigit(before) && static_cast<long long>(p) >= static_cast<long long>(startColumn) + 1))
            ++counted;
    }
    if (L >= 1) ++counted;
    const int n = static_cast<int>(std::max<long long>(0, std::min<long long>(counted, maxCount)));

    if (values.size() < static_cast<size_t>(n)) values.resize(static_cast<size_t>(n));
    const size_t from = startColumn >= 1 ? static_cast<size_t>(startColumn) - 1 : 0;
    size_t pos = from;
    for (int taken = 0; taken < n; ++taken) {
        while (pos < L && line[pos] == ' ') ++pos;
        if (pos >= L) {
            out.error = NumberError::MissingNumber;
            out.errorColumn = static_cast<int>(L) + 1;
            out.count = taken;
            return out;
        }
        size_t end = line.find(' ', pos);
        if (end == std::string_view::npos || end > L) end = L;
        const std::string_view item = line.substr(pos, end - pos);
        if (!ParseFreeFormatReal(item, values[static_cast<size_t>(taken)])) {
            out.error = NumberError::NotANumber;
            out.errorColumn = static_cast<int>(pos) + 1;
            out.errorItem = std::string(item.substr(0, 40));
            out.count = taken;
            return out;
        }
        pos = end;
    }
    out.count = n;
    return out;
}

}  // namespace vantor::engine
