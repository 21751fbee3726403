#pragma once
// Fuel/oxidizer split and equivalence ratio of a mixture given as species amounts. The fuel is
// every species containing C or H, the oxidizer the rest (O2, N2, AR, HE, ...). The equivalence
// ratio is the O2 the fuel needs to burn to CO2 and H2O, sum over fuel of n (C + H/4 - O/2),
// over the O2 the oxidizer's O atoms make, (sum over oxidizer of n O) / 2.

#include <string>
#include <vector>

#include "chemlib/mechanism.h"

namespace vantor::mixture {

// Mole fractions at equivalence ratio phi: the fuel amounts (KK values, any scale) are scaled, the
// oxidizer composition is kept. False with a message when an amount is negative or not finite,
// there is no fuel, the fuel needs no oxygen, the oxidizer has no oxygen, or phi <= 0.
bool MixtureAtEquivalenceRatio(const chem::Mechanism& mechanism, const std::vector<double>& amounts, double phi,
                               std::vector<double>& moleFractions, std::string& error);

// The equivalence ratio of the amounts; -1 when it has no meaning (no fuel that needs oxygen, no
// oxygen in the oxidizer, negative amounts or not KK of them).
double EquivalenceRatio(const chem::Mechanism& mechanism, const std::vector<double>& amounts);

}  // namespace vantor::mixture
