#include "outside/senkin/case_plan.h"

#include <cmath>
#include <sstream>

#include "common/fixed_format.h"

namespace vantor::senkin {
namespace {

bool CountInRange(const char* name, int value, int low, int high, std::string& error) {
    if (value >= low && value <= high) return true;
    error = std::string(name) + " = " + std::to_string(value) + " is outside " + std::to_string(low) + ".." +
            std::to_string(high);
    return false;
}

bool ReadMixture(const JobRecord& job, int m, int32_t speciesCount, Mixture& mixture, std::string& error) {
    const std::string where = "mixture " + std::to_string(m) + ": ";
    const int count = job.mixIndex(m, 0);
    if (count < 1 || count > kMaxListValues) {
        error = where + (count == 0 ? std::string("no species")
                                    : "species count " + std::to_string(count) + " is outside 1.." +
                                          std::to_string(kMaxListValues));
        return false;
    }
    mixture.number = m;
    double total = 0.0;
    for (int k = 1; k <= count; ++k) {
        const int32_t species = job.mixIndex(m, k);
        const double amount = job.mixAmount(m, k);
        if (species < 1 || species > speciesCount) {
            error = where + "species number " + std::to_string(species) + " (entry " + std::to_string(k) +
                    ") is outside the mechanism's 1.." + std::to_string(speciesCount);
            return false;
        }
        if (!std::isfinite(amount) || amount < 0.0) {
            error = where + "amount " + FormatFull(amount) + " of species " + std::to_string(species) +
                    " is not a number of 0 or more";
            return false;
        }
        if (amount == 0.0) continue;
        size_t slot = 0;
        while (slot < mixture.species.size() && mixture.species[slot] != species) ++slot;
        if (slot == mixture.species.size()) {
            mixture.species.push_back(species);
            mixture.moleFractions.push_back(0.0);
        }
        mixture.moleFractions[slot] += amount;
        total += amount;
    }
    if (!(total > 0.0) || !std::isfinite(total)) {
        error = where + (total > 0.0 ? "the amounts do not add up to a finite sum" : "every amount is 0");
        return false;
    }
    for (double& x : mixture.moleFractions) x /= total;
    return true;
}

bool ReadTimes(const JobRecord& job, RunPlan& plan, std::string& error) {
    if (job.EndTimeMode < 0 || job.EndTimeMode > 2) {
        error = "EndTimeMode = " + std::to_string(job.EndTimeMode) + " is not 0 (tmax), 1 (sec) or 2 (Tig)";
        return false;
    }
    plan.endMode = static_cast<EndTimeMode>(job.EndTimeMode);
    if (!std::isfinite(job.EndTime) || !(job.EndTime > 0.0)) {
        error = "end time " + FormatFull(job.EndTime) + " is not above 0";
        return false;
    }
    if (!std::isfinite(job.MaxTime) || !(job.MaxTime > 0.0)) {
        error = "max. time " + FormatFull(job.MaxTime) + " s is not above 0";
        return false;
    }
    plan.endTime = job.EndTime;
    plan.maxTime = job.MaxTime;
    plan.firstStep = std::isfinite(job.TimeStep) && job.TimeStep > 0.0 && job.TimeStep < job.MaxTime ? job.TimeStep
                                                                                                        : 0.0;
    return true;
}

// The first case that uses the value at fault is named, so the user finds it in the grid.
bool CheckState(const IgnitionCase& c, std::string& error) {
    if (!std::isfinite(c.pressureAtm) || !(c.pressureAtm > 0.0)) {
        error = DescribeCase(c) + ": pressure " + std::to_string(c.pressureSlot) + " (" + FormatFull(c.pressureAtm) +
                " atm) is not above 0";
        return false;
    }
    if (!std::isfinite(c.temperature) || !(c.temperature > 0.0)) {
        error = DescribeCase(c) + ": temperature " + std::to_string(c.temperatureSlot) + " (" +
                FormatFull(c.temperature) + " K) is not above 0";
        return false;
    }
    return true;
}

}  // namespace

std::string DescribeCase(const IgnitionCase& c) {
    std::ostringstream s;
    s << "case " << c.number << " (mixture " << c.mixture + 1 << ", " << FormatFull(c.pressureAtm) << " atm, "
      << FormatFull(c.temperature) << " K)";
    return s.str();
}

std::optional<RunPlan> PlanCases(const JobRecord& job, int32_t speciesCount, std::string& error) {
    if (!CountInRange("NPress", job.NPress, 1, kMaxListValues, error) ||
        !CountInRange("NTemp", job.NTemp, 1, kMaxListValues, error) ||
        !CountInRange("NMix", job.NMix, 1, kMaxListValues, error) ||
        !CountInRange("NPoints", job.NPoints, 1, kMaxPointsPerCase, error)) {
        return std::nullopt;
    }
    const int cases = job.NMix * job.NPress * job.NTemp;
    if (cases > kMaxCases) {
        error = std::to_string(cases) + " cases (NMix x NPress x NTemp) are more than the standard data holds (" +
                std::to_string(kMaxCases) + ")";
        return std::nullopt;
    }
    RunPlan plan;
    plan.points = job.NPoints;
    if (!ReadTimes(job, plan, error)) return std::nullopt;
    for (int m = 1; m <= job.NMix; ++m) {
        Mixture mixture;
        if (!ReadMixture(job, m, speciesCount, mixture, error)) return std::nullopt;
        plan.mixtures.push_back(std::move(mixture));
    }
    for (int m = 0; m < job.NMix; ++m) {
        for (int p = 1; p <= job.NPress; ++p) {
            for (int t = 1; t <= job.NTemp; ++t) {
                IgnitionCase c;
                c.number = static_cast<int>(plan.cases.size()) + 1;
                c.mixture = m;
                c.pressureSlot = p;
                c.temperatureSlot = t;
                c.pressureAtm = job.Press[p - 1];
                c.temperature = job.Temp[t - 1];
                if (!CheckState(c, error)) return std::nullopt;
                plan.cases.push_back(c);
            }
        }
    }
    return plan;
}

}  // namespace vantor::senkin
