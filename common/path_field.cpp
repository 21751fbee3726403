#include "common/path_field.h"

#include <algorithm>
#include <optional>

namespace vantor {
namespace {

// Decodes one UTF-8 sequence at s[i]; advances i. Rejects overlong forms and surrogates.
std::optional<char32_t> NextCodePoint(std::string_view s, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + extra >= s.size()) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = byte(i + k);
        if ((c & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    i += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

int Utf16Length(std::string_view utf8Path) {
    int units = 0;
    for (size_t i = 0; i < utf8Path.size();) {
        const auto cp = NextCodePoint(utf8Path, i);
        if (!cp) return -1;
        units += *cp >= 0x10000 ? 2 : 1;
    }
    return units;
}

void ClearPathField(PathField& field) { std::fill(std::begin(field), std::end(field), u' '); }

bool EncodePathField(std::string_view utf8Path, PathField& field) {
    ClearPathField(field);
    const int units = Utf16Length(utf8Path);
    if (units < 0 || units > kPathFieldUnits - 1) return false;
    int pos = 0;
    for (size_t i = 0; i < utf8Path.size();) {
        const char32_t cp = *NextCodePoint(utf8Path, i);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            field[pos++] = static_cast<char16_t>(0xD800 + (v >> 10));
            field[pos++] = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            field[pos++] = static_cast<char16_t>(cp);
        }
    }
    field[pos] = u'\0';
    return true;
}

std::string DecodePathField(const PathField& field) {
    int end = 0;
    while (end < kPathFieldUnits && field[end] != u'\0') ++end;
    if (end == kPathFieldUnits) {
        while (end > 0 && field[end - 1] == u' ') --end;
    }
    std::string out;
    for (int i = 0; i < end; ++i) {
        const char16_t u = field[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < end && field[i + 1] >= 0xDC00 && field[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(field[i + 1]) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace vantor
