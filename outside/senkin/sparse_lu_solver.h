#pragma once
// The Newton iteration's linear solver: KLU on the reactor's sparse pattern (compressed
// columns), as a SUNDIALS linear solver.
//
// The first setup orders the pattern (AMD) and factorises with partial pivoting; every later setup
// refactorises with the pivot sequence of the last full factorisation. A refactorisation is
// replaced by a full one only when it breaks down (a zero pivot) or when its pivots grow much more
// than the full factorisation's did, the sign that the kept pivot sequence has gone unstable for
// the new values. The condition number of I - gamma J is no reason to factorise afresh: the
// mass-fraction and temperature columns differ in scale by many orders, so the estimate is large
// for every factorisation alike, and a fresh one changes nothing about it.

#include <sundials/sundials_context.h>
#include <sundials/sundials_linearsolver.h>

namespace vantor::senkin {

// A new solver (free it with SUNLinSolFree); nullptr when out of memory.
SUNLinearSolver NewSparseLuSolver(SUNContext context);

}  // namespace vantor::senkin
