#pragma once
// The flame's Jacobian holds three dense blocks of (species + 2)^2 numbers per grid point: a few
// megabytes a point for hundreds of species, hundreds for thousands. The grid is kept within half
// of the machine's memory, so that a big mechanism's flame fails with its reason instead of
// taking the whole machine (or the desktop program) down.

#include <cstddef>

namespace vantor::premix {

// Bytes of Jacobian per grid point for blocks of `blockSize` unknowns.
double JacobianBytesPerPoint(int blockSize);

// The share of the machine's memory the grid may fill.
double FlameMemoryBudget();

}  // namespace vantor::premix
