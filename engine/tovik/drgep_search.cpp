#include "engine/tovik/drgep_search.h"

#include <algorithm>
#include <cmath>

namespace vantor::engine {

DrgepSearch::DrgepSearch(const MechanismTables& tables, double threshold)
    : tables_(tables),
      threshold_(threshold),
      kept_(static_cast<size_t>(tables.NS()) + 1, 0),
      overall_(static_cast<size_t>(tables.NS()) + 1, 0.0),
      best_(static_cast<size_t>(tables.NS()) + 1, 0.0),
      direct_(tables.NeighbourTotal(), 0.0),
      rowReady_(static_cast<size_t>(tables.NS()) + 1, 0),
      pairSum_(static_cast<size_t>(tables.NS()) + 1, 0.0) {}

void DrgepSearch::Search(const std::vector<int32_t>& targets, const StateFluxes& fluxes) {
    fluxes_ = &fluxes;
    std::fill(kept_.begin(), kept_.end(), 0);
    std::fill(overall_.begin(), overall_.end(), 0.0);
    std::fill(rowReady_.begin(), rowReady_.end(), 0);
    TargetImportance(targets, fluxes);
    for (size_t t = 0; t < targets.size(); ++t) {
        kept_[static_cast<size_t>(targets[t])] = 1;
        if (alpha_[t] > 0.0) SearchFrom(targets[t], alpha_[t]);
    }
    for (size_t b = 1; b < kept_.size(); ++b)
        if (overall_[b] >= threshold_) kept_[b] = 1;
}

void DrgepSearch::TargetImportance(const std::vector<int32_t>& targets, const StateFluxes& fluxes) {
    const int32_t MM = tables_.MM();
    elementProduction_.assign(static_cast<size_t>(MM) + 1, 0.0);
    for (int32_t s = 1; s <= tables_.NS(); ++s) {
        const double net = fluxes.Production(s) + fluxes.Consumption(s);
        if (net <= 0.0) continue;
        for (int32_t m = 1; m <= MM; ++m) elementProduction_[static_cast<size_t>(m)] += tables_.ElementCount(s, m) * net;
    }
    alpha_.assign(targets.size(), 0.0);
    for (size_t t = 0; t < targets.size(); ++t) {
        const double net = std::fabs(fluxes.Production(targets[t]) + fluxes.Consumption(targets[t]));
        for (int32_t m = 1; m <= MM; ++m) {
            const double pa = elementProduction_[static_cast<size_t>(m)];
            if (pa > 0.0) alpha_[t] = std::max(alpha_[t], tables_.ElementCount(targets[t], m) * net / pa);
        }
    }
}

void DrgepSearch::SearchFrom(int32_t target, double alpha) {
    best_[static_cast<size_t>(target)] = 1.0;
    reached_.assign(1, target);
    queue_.push({1.0, target});
    while (!queue_.empty()) {
        const auto [r, a] = queue_.top();
        queue_.pop();
        if (r < best_[static_cast<size_t>(a)]) continue;  // settled earlier with a larger product
        if (alpha * r < threshold_) break;
        double& overall = overall_[static_cast<size_t>(a)];
        overall = std::max(overall, alpha * r);
        const double* row = DirectRow(a);
        const auto neighbours = tables_.Neighbours(a);
        for (size_t j = 0; j < neighbours.size(); ++j) {
            const double product = r * row[j];
            double& best = best_[static_cast<size_t>(neighbours[j])];
            if (product > best) {
                if (best == 0.0) reached_.push_back(neighbours[j]);
                best = product;
                queue_.push({product, neighbours[j]});
            }
        }
    }
    queue_ = {};
    for (const int32_t k : reached_) best_[static_cast<size_t>(k)] = 0.0;
}

const double* DrgepSearch::DirectRow(int32_t A) {
    double* row = direct_.data() + tables_.NeighbourOffset(A);
    if (rowReady_[static_cast<size_t>(A)]) return row;
    rowReady_[static_cast<size_t>(A)] = 1;
    for (const PairFlux& f : fluxes_->ProducedWith(A)) pairSum_[static_cast<size_t>(f.species)] += f.value;
    for (const PairFlux& f : fluxes_->ConsumedWith(A)) pairSum_[static_cast<size_t>(f.species)] -= f.value;
    const double scale = std::max(fluxes_->Production(A), std::fabs(fluxes_->Consumption(A)));
    const auto neighbours = tables_.Neighbours(A);
    for (size_t j = 0; j < neighbours.size(); ++j) {
        double& sum = pairSum_[static_cast<size_t>(neighbours[j])];
        row[j] = scale > 0.0 ? std::fabs(sum) / scale : 0.0;
        sum = 0.0;
    }
    return row;
}

}  // namespace vantor::engine
