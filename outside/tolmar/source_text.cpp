#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {

std::vector<SourceLine> SplitLines(std::string_view text) {
    std::vector<SourceLine> lines;
    int number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({++number, line});
        start = next;
    }
    return lines;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view StripComment(std::string_view s) {
    const size_t bang = s.find('!');
    return bang == std::string_view::npos ? s : s.substr(0, bang);
}

std::vector<std::string_view> SplitWords(std::string_view s) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsBlank(s[i])) ++i;
        const size_t start = i;
        while (i < s.size() && !IsBlank(s[i])) ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

std::string_view Columns(std::string_view line, size_t first, size_t last) {
    if (line.size() < first) return {};
    return line.substr(first - 1, last - first + 1);
}

bool TakeByteOrderMark(std::string_view& text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (text.substr(0, kMark.size()) != kMark) return false;
    text.remove_prefix(kMark.size());
    return true;
}

std::string ToUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool MatchesKeyword(std::string_view word, std::string_view keyword, size_t minLength) {
    if (word.size() < minLength || word.size() > keyword.size()) return false;
    return ToUpper(word) == keyword.substr(0, word.size());
}

}  // namespace vantor::tolmar
