#include "outside/senkin/sparse_lu_solver.h"

#include <klu.h>
#include <nvector/nvector_serial.h>
#include <sunmatrix/sunmatrix_sparse.h>

#include <new>

namespace vantor::senkin {
namespace {

// How much more the pivots of a refactorisation may grow than those of the last full
// factorisation: a growth of 1e4 costs four of the sixteen digits of the Newton corrections, which
// need far fewer (the Jacobian itself leaves out small terms).
constexpr double kGrowthAllowance = 1e-4;

struct Content {
    klu_l_common common{};
    klu_l_symbolic* symbolic = nullptr;
    klu_l_numeric* numeric = nullptr;
    double fullGrowth = 0.0;  // reciprocal pivot growth of the last full factorisation
    sunindextype lastFlag = SUNLS_SUCCESS;
};

Content& Of(SUNLinearSolver S) { return *static_cast<Content*>(S->content); }

void DropFactors(Content& c) {
    if (c.numeric) klu_l_free_numeric(&c.numeric, &c.common);
    if (c.symbolic) klu_l_free_symbolic(&c.symbolic, &c.common);
}

SUNLinearSolver_Type Type(SUNLinearSolver) { return SUNLINEARSOLVER_DIRECT; }
SUNLinearSolver_ID Id(SUNLinearSolver) { return SUNLINEARSOLVER_CUSTOM; }

int Initialize(SUNLinearSolver S) {
    DropFactors(Of(S));
    return Of(S).lastFlag = SUNLS_SUCCESS;
}

bool FullFactorisation(Content& c, SUNMatrix A) {
    auto* Ap = SUNSparseMatrix_IndexPointers(A);
    auto* Ai = SUNSparseMatrix_IndexValues(A);
    if (c.numeric) klu_l_free_numeric(&c.numeric, &c.common);
    c.numeric = klu_l_factor(Ap, Ai, SUNSparseMatrix_Data(A), c.symbolic, &c.common);
    if (!c.numeric || !klu_l_rgrowth(Ap, Ai, SUNSparseMatrix_Data(A), c.symbolic, c.numeric, &c.common)) return false;
    c.fullGrowth = c.common.rgrowth;
    return true;
}

int Setup(SUNLinearSolver S, SUNMatrix A) {
    Content& c = Of(S);
    auto* Ap = SUNSparseMatrix_IndexPointers(A);
    auto* Ai = SUNSparseMatrix_IndexValues(A);
    auto* Ax = SUNSparseMatrix_Data(A);
    if (!c.symbolic) {
        c.symbolic = klu_l_analyze(SUNSparseMatrix_NP(A), Ap, Ai, &c.common);
        if (!c.symbolic) return c.lastFlag = SUNLS_PACKAGE_FAIL_UNREC;
    }
    bool ok = false;
    if (c.numeric && klu_l_refactor(Ap, Ai, Ax, c.symbolic, c.numeric, &c.common) &&
        klu_l_rgrowth(Ap, Ai, Ax, c.symbolic, c.numeric, &c.common)) {
        ok = c.common.rgrowth >= kGrowthAllowance * c.fullGrowth;
    }
    if (!ok && !FullFactorisation(c, A)) return c.lastFlag = SUNLS_PACKAGE_FAIL_REC;
    return c.lastFlag = SUNLS_SUCCESS;
}

int Solve(SUNLinearSolver S, SUNMatrix A, N_Vector x, N_Vector b, sunrealtype) {
    Content& c = Of(S);
    if (!c.numeric) return c.lastFlag = SUNLS_MEM_FAIL;
    N_VScale(1.0, b, x);
    const bool ok = klu_l_solve(c.symbolic, c.numeric, SUNSparseMatrix_NP(A), 1, N_VGetArrayPointer(x), &c.common);
    return c.lastFlag = ok ? SUNLS_SUCCESS : SUNLS_PACKAGE_FAIL_REC;
}

sunindextype LastFlag(SUNLinearSolver S) { return Of(S).lastFlag; }

int Free(SUNLinearSolver S) {
    if (!S) return SUNLS_SUCCESS;
    if (S->content) {
        DropFactors(Of(S));
        delete static_cast<Content*>(S->content);
        S->content = nullptr;
    }
    SUNLinSolFreeEmpty(S);
    return SUNLS_SUCCESS;
}

}  // namespace

SUNLinearSolver NewSparseLuSolver(SUNContext context) {
    SUNLinearSolver S = SUNLinSolNewEmpty(context);
    if (!S) return nullptr;
    auto* content = new (std::nothrow) Content;
    if (!content) {
        SUNLinSolFreeEmpty(S);
        return nullptr;
    }
    klu_l_defaults(&content->common);
    content->common.ordering = 0;  // AMD: a fifth of COLAMD's fill on the reactions' pattern
    S->content = content;
    S->ops->gettype = Type;
    S->ops->getid = Id;
    S->ops->initialize = Initialize;
    S->ops->setup = Setup;
    S->ops->solve = Solve;
    S->ops->lastflag = LastFlag;
    S->ops->free = Free;
    return S;
}

}  // namespace vantor::senkin
