#pragma once
// Typed numbers in the user's number format: the parser the run settings and the mixture wizard
// are given, and the decimal separator of the numbers the program shows and writes.

#include "app/core/pipeline/number_text.h"

namespace vantor {

// The default locale (the system's unless a test sets another), group separators refused so
// "1,000" is not read as one thousand where commas separate values.
LocaleNumbers UserLocaleNumbers();

}  // namespace vantor
