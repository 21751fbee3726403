#pragma once
// How far the library's pressure-table rate constant may lie from an independent code's with the
// same table: the library's terms use the single-precision 4.18 J calorie and gas constant 8.31451
// (the other code 4.184 J and 8.31451 exactly), and a pressure within 2 % of a table pressure
// takes that pressure's constant, where the other code interpolates in ln P at the pressure itself.

#include <cstdint>

#include "chemlib/mechanism.h"

namespace vantor::chem::testing {

struct TableAllowance {
    bool table = false;     // the reaction has a pressure table
    double calorie = 0.0;   // largest |ln| of the calorie factor over the groups either code uses
    double pressure = 0.0;  // |ln| of the table value at the near table pressure over the interpolated one
    double Total() const { return calorie + pressure; }
};

// Reaction i (0-based) at temperature T (K) and pressure P (dyn/cm2).
TableAllowance PressureTableAllowance(Mechanism& m, int32_t i, double T, double P);

}  // namespace vantor::chem::testing
