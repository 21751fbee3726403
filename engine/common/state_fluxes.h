#pragma once
// The flux sums of one recorded state, computed once and shared by every source species:
// for each species M, P(M) and C(M) (the positive and negative rates of M over its reactions)
// and, for every species B sharing a reaction with M, |P(M, B)| and |C(M, B)| (the same sums
// over the reactions in which B also takes part). Every sum adds its terms in ascending reaction
// order, exactly as the sums written out one by one would.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/common/mechanism_tables.h"

namespace vantor::engine {

struct PairFlux {
    int32_t species;  // B
    double value;     // |P(M, B)| or |C(M, B)|, never 0
};

class StateFluxes {
public:
    // Sizes the tables for the run's mechanism (once per run).
    explicit StateFluxes(const MechanismTables& tables);

    // From the forward and reverse rates of progress (qf[i - 1], qr[i - 1] of reaction i).
    void Compute(const double* qf, const double* qr);

    const MechanismTables& Tables() const { return tables_; }
    double NetRate(int32_t i) const { return q_[static_cast<size_t>(i)]; }
    double Production(int32_t k) const { return production_[static_cast<size_t>(k)]; }    // P(k) >= 0
    double Consumption(int32_t k) const { return consumption_[static_cast<size_t>(k)]; }  // C(k) <= 0
    // The species B != M with P(M, B) != 0 (C(M, B) != 0), ascending, with the absolute sums.
    std::span<const PairFlux> ProducedWith(int32_t m) const { return Row(producedWith_, producedCount_, m); }
    std::span<const PairFlux> ConsumedWith(int32_t m) const { return Row(consumedWith_, consumedCount_, m); }
    // False when some P(M) or C(M) overflowed (the rates were not finite).
    bool AllFinite() const { return allFinite_; }

private:
    std::span<const PairFlux> Row(const std::vector<PairFlux>& data, const std::vector<uint32_t>& count,
                                  int32_t m) const {
        return std::span<const PairFlux>(data.data() + tables_.NeighbourOffset(m), count[static_cast<size_t>(m)]);
    }

    const MechanismTables& tables_;
    std::vector<double> q_;            // net rate of progress, reactions 1..NR
    std::vector<double> production_;   // species 1..NS
    std::vector<double> consumption_;
    std::vector<PairFlux> producedWith_;  // laid out like the neighbour lists
    std::vector<PairFlux> consumedWith_;
    std::vector<uint32_t> producedCount_;
    std::vector<uint32_t> consumedCount_;
    std::vector<double> sumP_, sumC_;  // scratch, species 1..NS, all zero between calls
    bool allFinite_ = true;
};

}  // namespace vantor::engine
