#include "engine/common/state_preparation.h"

#include <algorithm>
#include <string>

#include "chemlib/chemistry_routines.h"
#include "common/fixed_format.h"
#include "engine/common/run_listing.h"

namespace vantor::engine {

StatePreparation::StatePreparation(const MechanismTables& tables, const int32_t* ickwrk, double* rckwrk,
                                   double heatKeptRatio, double threshold)
    : tables_(tables),
      ickwrk_(ickwrk),
      rckwrk_(rckwrk),
      ratio_(heatKeptRatio),
      threshold_(threshold),
      hrrSpecies_(static_cast<size_t>(tables.NS()) + 1, 0),
      x_(static_cast<size_t>(tables.NS())),
      y_(static_cast<size_t>(tables.NS())),
      wdot_(static_cast<size_t>(tables.NS())),
      qf_(static_cast<size_t>(tables.NR())),
      qr_(static_cast<size_t>(tables.NR())) {}

void StatePreparation::UseTargets(std::vector<int32_t> userTargets, const std::vector<std::string>& names) {
    targetsOn_ = true;
    names_ = &names;
    userTarget_.assign(static_cast<size_t>(tables_.NS()) + 1, 0);
    for (const int32_t k : userTargets) userTarget_[static_cast<size_t>(k)] = 1;
}

int32_t StatePreparation::Prepare(const RecordedState& state, std::ostream& listing) {
    const int32_t NS = tables_.NS();
    std::copy(state.moleFractions, state.moleFractions + NS, x_.begin());
    chem::MoleToMassFractions(x_.data(), ickwrk_, rckwrk_, y_.data());
    const double T = state.temperature;
    hrr_.Run(ratio_, T, ickwrk_, rckwrk_, tables_, hrrSpecies_);

    preselected_.clear();
    const std::vector<uint8_t>& initial = *state.initialSpecies;
    for (int32_t k = 1; k <= NS; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (initial[i] || hrrSpecies_[i] || (targetsOn_ && userTarget_[i])) preselected_.push_back(k);
    }
    if (targetsOn_ && state.pointNumber == 1) WriteTargets(state, listing);
    WriteRecords(listing);

    const double temperatures[4] = {T, T, T, T};
    return chem::ComputeProductionRates(listing, 4, state.pressure, temperatures, y_.data(), ickwrk_, rckwrk_,
                                        wdot_.data(), qf_.data(), qr_.data());
}

void StatePreparation::WriteTargets(const RecordedState& state, std::ostream& listing) const {
    std::string text = "Target species of case " + std::to_string(state.caseNumber) + ":";
    for (int32_t k = 1; k <= tables_.NS(); ++k) {
        const size_t i = static_cast<size_t>(k);
        if ((*state.initialSpecies)[i] || userTarget_[i]) text += " " + (*names_)[i - 1];
    }
    WriteFreeRecord(listing, text);
}

void StatePreparation::WriteRecords(std::ostream& listing) const {
    std::string flags = "---Path Flux Calulation,HRRPreselcted";
    flags.reserve(flags.size() + 2 * static_cast<size_t>(tables_.NS()));
    for (int32_t k = 1; k <= tables_.NS(); ++k) flags += hrrSpecies_[static_cast<size_t>(k)] ? " T" : " F";
    WriteFreeRecord(listing, flags);
    WriteFixedRecord(listing, "---Run PFA, Presel #=" + FormatI(static_cast<long long>(preselected_.size()), 8) +
                                  " ,THRESHOLD=" + FormatE16_6(threshold_) + " ,HRR Ratio=" + FormatE16_6(ratio_));
}

}  // namespace vantor::engine
