#pragma once
// The coefficients and selections written out as their definitions read: every sum recomputed
// term by term from StoichMatrix and the net rates, over all species, in ascending order. The
// engines' evaluations must agree with these to the last bit on small mechanisms.

#include <cstdint>
#include <vector>

#include "engine/common/mechanism_tables.h"
#include "engine/common/species_search.h"

namespace vantor::engine::testing {

// A mechanism from slot lists: reaction i holds (coefficient, species) pairs, reactants negative.
MechanismTables BuildTables(int32_t NS, const std::vector<std::vector<std::pair<int, int>>>& reactions);

class ReferenceSums {
public:
    ReferenceSums(const MechanismTables& tables, const std::vector<double>& q) : t_(tables), q_(q) {}
    // P(M, B) and C(M, B) over M's reactions in which B takes part (B = M: P(M) and C(M)).
    void Sums(int32_t M, int32_t B, double& P, double& C) const;
    int32_t NS() const { return t_.NS(); }

private:
    const MechanismTables& t_;
    const std::vector<double>& q_;  // net rates, reactions 1..NR
};

struct PfaRow {
    std::vector<double> pro1, con1, pro2, con2, r;  // species 1..NS
};
PfaRow ReferencePfaRow(const ReferenceSums& sums, int32_t A);

// ECF: r_con and r_pro of A against every B (B = A included, as the sums give it).
void ReferenceEcfCoefficients(const ReferenceSums& sums, int32_t A, std::vector<double>& con, std::vector<double>& pro);
// The selection-sort order and the acceptance loop over one coefficient row.
void ReferenceEcfPass(const std::vector<double>& r, int32_t A, double threshold, std::vector<uint8_t>& kept,
                      std::vector<int32_t>& next);

// Selectors on the reference evaluation, for whole runs.
class ReferencePfaSelector : public NeighbourSelector {
public:
    explicit ReferencePfaSelector(double threshold) : threshold_(threshold) {}
    void BeginState(const StateFluxes& fluxes) override;
    void SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) override;

protected:
    double threshold_;
    const StateFluxes* fluxes_ = nullptr;
    std::vector<double> q_;
};

class ReferenceEcfSelector : public ReferencePfaSelector {
public:
    using ReferencePfaSelector::ReferencePfaSelector;
    void SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) override;
};

}  // namespace vantor::engine::testing
