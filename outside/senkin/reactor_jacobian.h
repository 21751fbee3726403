#pragma once
// The Jacobian of the reactor's derivatives as a sparse matrix (compressed columns), for the
// integrator's Newton iteration.
//
// The species columns are analytic: a rate of progress q = k [A]^a [B]^b changes with [A] by
// a q / [A], with k (third-body and fall-off factors included) held fixed, and the density held
// fixed. The rates are taken at a state whose mass fractions are floored at a tiny positive value,
// so a species that is still absent gets its true slope. The temperature column is a forward
// difference. What is left out (d[M]/dC, d rho/dY) only slows Newton's convergence a little; it
// never changes the solution, and it keeps the matrix as sparse as the reactions.

#include <cstdint>
#include <string>
#include <vector>

#include "outside/senkin/constant_pressure_reactor.h"

namespace vantor::senkin {

class ReactorJacobian {
public:
    explicit ReactorJacobian(const chem::Mechanism& mechanism);

    int Size() const { return size_; }
    int64_t NonZeros() const { return static_cast<int64_t>(rows_.size()); }
    const std::vector<int64_t>& ColumnStarts() const { return columnStarts_; }  // Size() + 1 entries
    const std::vector<int64_t>& Rows() const { return rows_; }                  // row of each entry

    // Fills the NonZeros() values at state y, whose derivatives are f. False (with the reactor's
    // Error()) when the rates cannot be evaluated.
    bool Fill(ConstantPressureReactor& reactor, const double* y, const double* f, double* values);

private:
    // One order of one reaction: q changes with the concentration of `species` by order * q / C.
    struct OrderTerm {
        int32_t reaction;
        int32_t species;    // 0-based column
        double order;
        bool forward;
        int64_t temperatureRowEntry;  // value index of (T, species)
        int32_t firstEffect, effectCount;
    };
    // Where that change lands: row `species` of the same column, times nu * W_row / W_column.
    struct Effect {
        int64_t entry;
        double nu;
    };

    int64_t Entry(int32_t row, int32_t column) const;

    int size_ = 0;
    int kk_ = 0;
    std::vector<int64_t> columnStarts_, rows_;
    std::vector<OrderTerm> orders_;
    std::vector<Effect> effects_;
    std::vector<std::vector<std::pair<int32_t, double>>> netStoich_;  // per reaction: (species, nu)
    std::vector<double> floored_, shifted_, shiftedF_, reactionEnthalpy_, concentration_;
};

}  // namespace vantor::senkin
