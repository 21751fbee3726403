#pragma once
// Mixtures given on the command line: typed as "NAME amount, NAME amount, ...", or read from a
// file with one "NAME amount" a line, for species whose names hold commas (C3H51-2,3OOH).

#include <string>
#include <string_view>
#include <vector>

#include "chemlib/mechanism.h"

namespace vantor::cli {

// Fills X (KK mole fractions, the amounts normalised). False with `error` naming the entry at
// fault: an unknown species, an amount that is not a finite number or is negative, no positive
// amount.
bool ParseMixtureText(std::string_view text, const chem::Mechanism& mech, std::vector<double>& X,
                      std::string& error);

// The same from a file: one "NAME amount" a line; blank lines, "!" comment lines and a byte-order
// mark are skipped. Only a regular file is read, and no line longer than 65536 characters. An
// error names the file and the line.
bool ReadMixtureFile(const std::string& path, const chem::Mechanism& mech, std::vector<double>& X,
                     std::string& error);

}  // namespace vantor::cli
