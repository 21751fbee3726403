#include "engine/common/hrr_preselect.h"

#include <algorithm>
#include <cmath>

#include "chemlib/chemistry_routines.h"

namespace vantor::engine {
void HeatReleaseSelection::TakeUntilShareExceeded(const std::vector<int32_t>& order, std::span<const double> dH,
                                                  double limit) {
    double sum = 0.0;
    for (const int32_t i : order) {
        taken_.push_back(i);
        sum += std::fabs(dH[static_cast<size_t>(i) - 1]);
        if (sum > limit) return;
    }
}

const std::vector<int32_t>& HeatReleaseSelection::Select(std::span<const double> dH, double ratio) {
    double positive = 0.0, negative = 0.0;
    endothermic_.clear();
    exothermic_.clear();
    taken_.clear();
    for (size_t j = 0; j < dH.size(); ++j) {
        const double v = dH[j];
        if (v > 0.0) positive += std::fabs(v);
        else negative += std::fabs(v);
        if (v > kHrrSmall) endothermic_.push_back(static_cast<int32_t>(j) + 1);
        if (v < -kHrrSmall) exothermic_.push_back(static_cast<int32_t>(j) + 1);
    }
    const auto value = [&](int32_t i) { return dH[static_cast<size_t>(i) - 1]; };
    std::stable_sort(endothermic_.begin(), endothermic_.end(), [&](int32_t a, int32_t b) { return value(a) > value(b); });
    std::stable_sort(exothermic_.begin(), exothermic_.end(), [&](int32_t a, int32_t b) { return value(a) < value(b); });
    TakeUntilShareExceeded(endothermic_, dH, ratio * positive);
    TakeUntilShareExceeded(exothermic_, dH, ratio * negative);
    return taken_;
}

void HrrPreselect::Run(double& ratio, double T, const int32_t* ickwrk, const double* rckwrk,
                       const MechanismTables& tables, std::vector<uint8_t>& hrrSpecies) {
    std::fill(hrrSpecies.begin(), hrrSpecies.end(), 0);
    if (ratio < kHrrSmall) return;
    if (ratio > 1.0) ratio = 1.0;

    const size_t kk = static_cast<size_t>(chem::ProcessChemistryLibrary().Layout().KK);
    H_.resize(std::max(kk, static_cast<size_t>(tables.NS())));
    chem::SpeciesEnthalpies(T, ickwrk, rckwrk, H_.data());
    dH_.resize(static_cast<size_t>(tables.NR()));
    for (int32_t i = 1; i <= tables.NR(); ++i) {
        chem::ReactionEnthalpyChange(i, H_.data(), ickwrk, rckwrk, dH_[static_cast<size_t>(i) - 1]);
    }
    for (const int32_t i : selection_.Select(dH_, ratio)) {
        for (const int32_t k : tables.SlotSpecies(i)) hrrSpecies[static_cast<size_t>(k)] = 1;
    }
}

}  // namespace vantor::engine
