#pragma once
// The heat-release preselection: the reactions that carry the chosen share of the reaction
// enthalpy, on the endothermic and the exothermic side separately, and their species.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/common/mechanism_tables.h"

namespace vantor::engine {

// 1.0E-20 as the single-precision constant it has always been.
inline constexpr double kHrrSmall = static_cast<double>(1.0E-20f);

class HeatReleaseSelection {
public:
    // The reactions taken, in the order taken: endothermic ones (dH above kHrrSmall) by decreasing
    // dH until their sum first exceeds ratio x (sum of the positive dH), then exothermic ones (dH
    // below -kHrrSmall) by increasing dH until the sum of |dH| first exceeds ratio x (sum of the
    // other |dH|). Equal values go in reaction order. dH[i - 1] belongs to reaction i. The result
    // stays valid until the next call.
    const std::vector<int32_t>& Select(std::span<const double> dH, double ratio);

private:
    void TakeUntilShareExceeded(const std::vector<int32_t>& order, std::span<const double> dH, double limit);
    std::vector<int32_t> endothermic_, exothermic_, taken_;
};

class HrrPreselect {
public:
    // Clears `hrrSpecies` (flags 1..NS) and marks the species in the slots of the selected
    // reactions at temperature T. A ratio below kHrrSmall selects nothing; a ratio above 1 is
    // set to 1 for this and every later call of the run.
    void Run(double& ratio, double T, const int32_t* ickwrk, const double* rckwrk, const MechanismTables& tables,
             std::vector<uint8_t>& hrrSpecies);

private:
    HeatReleaseSelection selection_;
    std::vector<double> H_;
    std::vector<double> dH_;
};

}  // namespace vantor::engine
