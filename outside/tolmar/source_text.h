#pragma once
// Line and word handling of the CHEMKIN input: numbered lines (LF or CR LF), "!" comments,
// blank-separated words, case folding of keywords and names.

#include <string>
#include <string_view>
#include <vector>

namespace vantor::tolmar {

struct SourceLine {
    int number = 0;         // 1-based line number in its file
    std::string_view text;  // without the line end
};

// Splits on LF; a CR before the LF (and a trailing CR at the end of the text) is dropped.
std::vector<SourceLine> SplitLines(std::string_view text);

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s);

// The part before the first "!".
std::string_view StripComment(std::string_view s);

// Blank-separated words.
std::vector<std::string_view> SplitWords(std::string_view s);

// Columns first..last (1-based, inclusive) of a fixed-format line; short lines read as blanks.
std::string_view Columns(std::string_view line, size_t first, size_t last);

// Removes a UTF-8 byte-order mark at the start of the text; true when there was one.
bool TakeByteOrderMark(std::string_view& text);

// ASCII upper case; other bytes pass unchanged.
std::string ToUpper(std::string_view s);

// True when `word` is `keyword` or a prefix of it of at least `minLength` characters, ignoring case.
bool MatchesKeyword(std::string_view word, std::string_view keyword, size_t minLength);

}  // namespace vantor::tolmar
