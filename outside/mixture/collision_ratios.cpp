#include "outside/mixture/collision_ratios.h"

#include <cmath>

#include "outside/pellor/collision_integrals.h"

namespace vantor::mixture {

CollisionRatios ReducedCollisionRatios(double t, double delta) {
    // Central differences of the smooth fit: truncation ~h^2, rounding ~1e-16/h^2, both far below
    // the fit's own 0.1 %.
    constexpr double h = 1.0e-3;
    const auto lnOmega11 = [delta](double u) { return std::log(pellor::DiffusionCollisionIntegral(std::exp(u), delta)); };
    const double u = std::log(t);
    const double fm = lnOmega11(u - h), f0 = lnOmega11(u), fp = lnOmega11(u + h);
    const double slope = (fp - fm) / (2.0 * h);
    const double curvature = (fp - 2.0 * f0 + fm) / (h * h);
    CollisionRatios r;
    r.c = 1.0 + slope / 3.0;
    // d ln Omega(1,2)* / d ln T*
    const double slope12 = slope + (curvature / 3.0) / r.c;
    // Omega(1,3)*/Omega(1,1)* = C* (1 + slope12/4), so 5C* - 4 Omega13/Omega11 = C* (1 - slope12).
    r.b = r.c * (1.0 - slope12);
    r.a = pellor::ViscosityCollisionIntegral(t, delta) / std::exp(f0);
    return r;
}

double ThermalDiffusionFactor(const CollisionRatios& r) {
    return 7.5 * (2.0 * r.a + 5.0) * (6.0 * r.c - 5.0) / (r.a * (16.0 * r.a - 12.0 * r.b + 55.0));
}

}  // namespace vantor::mixture
