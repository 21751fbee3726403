#pragma once
// Numbers on a line of the standard data, read the way the engines have always read them: a line
// is left-justified, its numbers are counted by their last character (a digit or a point), and at
// most that many are read in free format from a start column on.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::engine {

// A line longer than this is cut; positions beyond a line's end are blanks.
inline constexpr size_t kLineBufferLength = 128000;

// The line without its leading blanks.
std::string_view LeftJustify(std::string_view line);

enum class NumberError { None, NotANumber, MissingNumber };

struct LineNumbers {
    int count = 0;                       // numbers taken (the counted numbers, at most the maximum)
    NumberError error = NumberError::None;
    int errorColumn = 0;                 // 1-based column of the item at fault
    std::string errorItem;               // its text (empty for a missing item)
};

// Counts the numbers of the left-justified `line` and reads at most `maxCount` of them from
// `startColumn` (1-based) on into values[0..count-1]. A counted number that is not there, or an
// item that is not a number, is reported in `error`; the values before it are valid.
LineNumbers ParseLineNumbers(std::string_view line, int startColumn, int maxCount, std::vector<double>& values);

// One number in free format: optional sign, digits with an optional point, an optional exponent
// introduced by E or D (either case) or by its sign alone. False for anything else and for a
// value beyond the range of a double.
bool ParseFreeFormatReal(std::string_view item, double& value);

// The integer a real stands for: the integer part of value + 0.1, kept within 32 bits.
int32_t ToInteger(double value);

}  // namespace vantor::engine
