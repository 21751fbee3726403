#pragma once
// The interpreter's status codes: 0 is success, every failure class has its own code so that a
// caller (and the run listing) can tell what went wrong without reading the message.

#include <cstdint>

namespace vantor::tolmar {

enum CompileStatus : int32_t {
    kCompileOk = 0,
    kFileError = 1,            // an input cannot be read or an output cannot be written
    kUnknownKeyword = 2,       // a section, unit or auxiliary keyword the interpreter does not know
    kUndeclaredElement = 3,    // thermo data names an element missing from ELEMENTS
    kUnknownAtomicWeight = 4,  // an element without a built-in weight and without /weight/
    kUndeclaredSpecies = 5,    // a reaction or auxiliary keyword names a species missing from SPECIES
    kMissingThermo = 6,        // a declared species has no thermo entry
    kBadNumber = 7,            // a number that cannot be read, or a value out of its range
    kElementImbalance = 8,     // a reaction does not conserve an element
    kUndeclaredDuplicate = 9,  // a repeated reaction not marked DUPLICATE on both
    kUnsupportedFeature = 10,  // input the binary cannot hold (CHEB, HIGH, ...)
    kTooManySpecies = 11,      // more than three reactants or products
    kTruncatedThermo = 12,     // a thermo entry cut short
    kSyntaxError = 13,         // malformed statement (equation, auxiliary data, names, sections)
    kInternalError = 14,       // out of memory or another failure inside the interpreter
};

// Name of a status for the listing.
const char* StatusName(int32_t status);

}  // namespace vantor::tolmar
