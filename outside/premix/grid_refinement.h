#pragma once
// Adaptive grid: a midpoint is added to every interval where the change of a component exceeds
// `slope` times the component's range, or where the change of its gradient across a point
// exceeds `curvature` times the gradient's range. Components: T and the mass fractions.

#include <vector>

namespace vantor::premix {

struct RefinedGrid {
    std::vector<double> x, u;
    int fixedPoint = 0;
    int added = 0;
    bool limited = false;  // intervals that asked for a point got none: the grid is full
};

// `u` holds `blockSize` values per point of `x`; new points get linear interpolation.
// At most `maxPoints` points in all.
RefinedGrid RefineGrid(const std::vector<double>& x, const std::vector<double>& u, int blockSize, int fixedPoint,
                       double slope, double curvature, int maxPoints);

}  // namespace vantor::premix
