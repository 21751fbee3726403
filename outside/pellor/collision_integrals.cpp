#include "outside/pellor/collision_integrals.h"

#include <cmath>

namespace vantor::pellor {

double ViscosityCollisionIntegral(double t, double delta) {
    const double lennardJones =
        1.16145 * std::pow(t, -0.14874) + 0.52487 * std::exp(-0.77320 * t) + 2.16178 * std::exp(-2.43787 * t);
    return lennardJones + 0.2 * delta * delta / t;
}

double DiffusionCollisionIntegral(double t, double delta) {
    const double lennardJones = 1.06036 * std::pow(t, -0.15610) + 0.19300 * std::exp(-0.47635 * t) +
                                1.03587 * std::exp(-1.52996 * t) + 1.76474 * std::exp(-3.89411 * t);
    return lennardJones + 0.19 * delta * delta / t;
}

}  // namespace vantor::pellor
