#pragma once
// Per-state preparation: mass fractions, the heat-release preselection with its two records in
// the run listing, the preselected species, and the rates of progress.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/common/hrr_preselect.h"
#include "engine/common/mechanism_tables.h"
#include "engine/common/standard_data_reader.h"

namespace vantor::engine {

class StatePreparation {
public:
    // The work arrays stay the caller's; the heat-release ratio is the run's (it may be clipped).
    StatePreparation(const MechanismTables& tables, const int32_t* ickwrk, double* rckwrk, double heatKeptRatio,
                     double threshold);

    // For the methods that search from targets: `userTargets` (ascending) join every state's
    // start species, and the first state of each case names the case's targets (its initial
    // species and the user's) in the listing.
    void UseTargets(std::vector<int32_t> userTargets, const std::vector<std::string>& names);

    // Returns 0, or the chemistry library's status when it could not evaluate the rates (its
    // own message is in the listing then).
    int32_t Prepare(const RecordedState& state, std::ostream& listing);

    // The initial and heat-release species of the state, ascending.
    const std::vector<int32_t>& Preselected() const { return preselected_; }
    const double* ForwardRates() const { return qf_.data(); }
    const double* ReverseRates() const { return qr_.data(); }
    double HeatKeptRatio() const { return ratio_; }

private:
    void WriteRecords(std::ostream& listing) const;
    void WriteTargets(const RecordedState& state, std::ostream& listing) const;

    const MechanismTables& tables_;
    const int32_t* ickwrk_;
    double* rckwrk_;
    double ratio_;
    double threshold_;
    HrrPreselect hrr_;
    std::vector<uint8_t> hrrSpecies_;
    std::vector<int32_t> preselected_;
    bool targetsOn_ = false;
    std::vector<uint8_t> userTarget_;  // flags 1..NS
    const std::vector<std::string>* names_ = nullptr;
    std::vector<double> x_, y_, wdot_, qf_, qr_;
};

}  // namespace vantor::engine
