#pragma once
// The block-tridiagonal Jacobian of the flame residual by finite differences: each point couples
// only to its neighbours, so one variable is perturbed at every third point at once, and only
// those points' chemistry is evaluated again: 3 (KK+2) assemblies per Jacobian.

#include <vector>

#include "outside/premix/block_tridiagonal.h"
#include "outside/premix/flame_residual.h"

namespace vantor::premix {

// Fills `jacobian` at `u`, whose residual `f` and per-point sources (residual.BaseSources()) were
// just evaluated. False with residual.Error() when the chemistry fails at a perturbed state.
bool FlameJacobian(FlameResidual& residual, const std::vector<double>& u, const std::vector<double>& f,
                   BlockTridiagonal& jacobian);

}  // namespace vantor::premix
