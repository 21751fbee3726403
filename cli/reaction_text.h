#pragma once
// A reaction's equation as a mechanism binary holds it, for listings such as `vantor-cli rates`.

#include <cstdint>
#include <string>

#include "chemlib/mechanism.h"

namespace vantor::cli {

// "2H+O2(+M)<=>0.5C3H4-A+H2O2(+M)": reactants and products in the order they were written
// (every slot, lumped reactions included), coefficients other than 1 before the name (real ones
// in their shortest exact form), "<=>" or "=>", and "+M", "(+M)" or "(+NAME)" as the binary
// applies a third body. `i` is 1-based.
std::string ReactionEquationText(const chem::Mechanism& mechanism, int32_t i);

}  // namespace vantor::cli
