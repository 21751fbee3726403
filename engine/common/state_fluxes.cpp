#include "engine/common/state_fluxes.h"

#include <cmath>

namespace vantor::engine {

StateFluxes::StateFluxes(const MechanismTables& tables)
    : tables_(tables),
      q_(static_cast<size_t>(tables.NR()) + 1, 0.0),
      production_(static_cast<size_t>(tables.NS()) + 1, 0.0),
      consumption_(static_cast<size_t>(tables.NS()) + 1, 0.0),
      producedWith_(tables.NeighbourTotal()),
      consumedWith_(tables.NeighbourTotal()),
      producedCount_(static_cast<size_t>(tables.NS()) + 1, 0),
      consumedCount_(static_cast<size_t>(tables.NS()) + 1, 0),
      sumP_(static_cast<size_t>(tables.NS()) + 1, 0.0),
      sumC_(static_cast<size_t>(tables.NS()) + 1, 0.0) {}

void StateFluxes::Compute(const double* qf, const double* qr) {
    const int32_t NS = tables_.NS();
    for (int32_t i = 1; i <= tables_.NR(); ++i) q_[static_cast<size_t>(i)] = qf[i - 1] - qr[i - 1];
    allFinite_ = true;

    for (int32_t m = 1; m <= NS; ++m) {
        double p = 0.0, c = 0.0;
        for (const StoichEntry& reaction : tables_.SpeciesReactions(m)) {
            const double r = static_cast<double>(reaction.coefficient) * q_[static_cast<size_t>(reaction.index)];
            if (r > 0.0) {
                p += r;
                for (const StoichEntry& b : tables_.ReactionSpecies(reaction.index)) sumP_[static_cast<size_t>(b.index)] += r;
            } else if (r < 0.0) {
                c += r;
                for (const StoichEntry& b : tables_.ReactionSpecies(reaction.index)) sumC_[static_cast<size_t>(b.index)] += r;
            }
        }
        production_[static_cast<size_t>(m)] = p;
        consumption_[static_cast<size_t>(m)] = c;
        if (!std::isfinite(p) || !std::isfinite(c)) allFinite_ = false;

        // Gather the pair sums in the neighbour order and leave the scratch zero again.
        const size_t base = tables_.NeighbourOffset(m);
        uint32_t nP = 0, nC = 0;
        for (const int32_t b : tables_.Neighbours(m)) {
            double& sp = sumP_[static_cast<size_t>(b)];
            double& sc = sumC_[static_cast<size_t>(b)];
            if (sp != 0.0) producedWith_[base + nP++] = {b, std::fabs(sp)};
            if (sc != 0.0) consumedWith_[base + nC++] = {b, std::fabs(sc)};
            sp = 0.0;
            sc = 0.0;
        }
        sumP_[static_cast<size_t>(m)] = 0.0;
        sumC_[static_cast<size_t>(m)] = 0.0;
        producedCount_[static_cast<size_t>(m)] = nP;
        consumedCount_[static_cast<size_t>(m)] = nC;
    }
}

}  // namespace vantor::engine
