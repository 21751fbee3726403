#pragma once
// Mixtures typed on the command line as "NAME amount, NAME amount, ...".

#include <string>
#include <string_view>
#include <vector>

#include "chemlib/mechanism.h"

namespace vantor::cli {

// Fills X (KK mole fractions, the amounts normalised). False with `error` naming the entry at
// fault: an unknown species, an amount that is not a number or is negative, no positive amount.
bool ParseMixtureText(std::string_view text, const chem::Mechanism& mech, std::vector<double>& X,
                      std::string& error);

}  // namespace vantor::cli
