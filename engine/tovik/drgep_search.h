#pragma once
// The DRGEP search of one state (Pepiot-Desjardins and Pitsch 2008; path search and target
// scaling after Niemeyer and Sung 2011).
//
// Direct coefficients: r_AB = |sum_i nu_A,i w_i delta_B,i| / max(P_A, C_A), in the flux sums of
// the state | |P(A, B)| - |C(A, B)| | / max(P(A), |C(A)|) (0 when A has no flux). A path's
// coefficient is the product of its direct coefficients; R_TB is the largest over the paths from
// target T to B, found by a Dijkstra search that settles species in decreasing R_TB (products
// never grow along a path, so the first settlement is the largest). Each target's coefficients
// are scaled by its importance at the state, its share of the flux of the element it carries most
// of: alpha_T = max over elements a of N_a,T |P_T - C_T| / sum over species S of
// N_a,S max(0, P_S - C_S) (at most 1, since each element is conserved). A target that carries no
// element flux at the state (none of its element is made there) leads nowhere. A species is kept
// at the state when max over T of alpha_T R_TB reaches the threshold (>=); the targets themselves
// are always kept.
//
// A target's search stops once alpha_T R falls below the threshold: nothing settled after that
// can be kept through this target, so the kept set is that of the complete search.

#include <cstdint>
#include <queue>
#include <utility>
#include <vector>

#include "engine/common/mechanism_tables.h"
#include "engine/common/species_search.h"

namespace vantor::engine {

class DrgepSearch : public StateSearch {
public:
    DrgepSearch(const MechanismTables& tables, double threshold);

    void Search(const std::vector<int32_t>& targets, const StateFluxes& fluxes) override;
    const std::vector<uint8_t>& Kept() const override { return kept_; }

private:
    // alpha_T of every target at the state (see above), into alpha_.
    void TargetImportance(const std::vector<int32_t>& targets, const StateFluxes& fluxes);
    void SearchFrom(int32_t target, double alpha);
    // The direct coefficients of A against its neighbours (laid out like the neighbour lists),
    // computed once per state.
    const double* DirectRow(int32_t A);

    const MechanismTables& tables_;
    double threshold_;
    const StateFluxes* fluxes_ = nullptr;
    std::vector<uint8_t> kept_;
    std::vector<double> overall_;   // max over the targets of alpha_T R_TB, species 1..NS (exact where it
                                    // reaches the threshold)
    std::vector<double> best_;      // R_TB of the current target, 0 when not reached
    std::vector<int32_t> reached_;  // species with best_ > 0
    std::vector<double> direct_;    // NeighbourTotal values
    std::vector<uint8_t> rowReady_;
    std::vector<double> pairSum_;   // scratch: signed P(A, B) + C(A, B)
    std::vector<double> alpha_;     // per target of the state
    std::vector<double> elementProduction_;  // elements 1..MM: sum over S of N_a,S max(0, P_S - C_S)
    std::priority_queue<std::pair<double, int32_t>> queue_;
};

}  // namespace vantor::engine
