#pragma once
// The unburned boundary holds T and the inflowing composition: a flame whose preheat zone reaches
// it conducts heat out through it and burns too slowly (or, for slow lean flames, finds no steady
// state at all). The first guess places the boundary for a flame of about 40 cm/s; slower flames
// have longer preheat zones, so the boundary is moved upstream until the inlet is flat.

#include <vector>

namespace vantor::premix {

// True when dT/dx in the first interval is more than a negligible share of the largest dT/dx:
// the inlet then carries a share of the flame's heat conduction.
bool InletTooSteep(const std::vector<double>& x, const std::vector<double>& u, int blockSize);

// Doubles the distance from the inlet to the fixed point: the old points move downstream and new
// ones at the inlet's state fill the added length. The fixed point's index follows.
void WidenColdSide(std::vector<double>& x, std::vector<double>& u, int blockSize, int& fixedPoint);

}  // namespace vantor::premix
