#pragma once
// The cases of an ignition job: every combination of mixture, pressure and temperature of the job
// record (mixture outermost, then pressure, then temperature), checked against the mechanism
// before any case runs, so nonsense in the record fails at once with a message naming the case.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/job_record.h"

namespace vantor::senkin {

// What EndTime is counted in.
enum class EndTimeMode : int16_t {
    HighestTemperature = 0,  // "tmax": multiples of the time of the highest temperature
    Seconds = 1,             // "sec"
    IgnitionDelay = 2,       // "Tig": multiples of the ignition delay
};

// The reader of the standard data keeps at most 2000 points per case and numbers at most 1999
// case lines; larger jobs would be computed only to be refused.
inline constexpr int kMaxPointsPerCase = 2000;
inline constexpr int kMaxCases = 1999;

struct Mixture {
    int number = 0;                     // 1-based, as in the job record
    std::vector<int32_t> species;       // 1-based species numbers, each once, in order of first mention
    std::vector<double> moleFractions;  // the amounts of `species`, normalised to sum 1
};

struct IgnitionCase {
    int number = 0;      // 1-based, in the order of the standard data
    int mixture = 0;     // 0-based index into RunPlan::mixtures
    int pressureSlot = 0;     // 1-based position in the record's pressure list
    int temperatureSlot = 0;  // 1-based position in the record's temperature list
    double pressureAtm = 0.0;
    double temperature = 0.0;  // K
};

struct RunPlan {
    std::vector<Mixture> mixtures;
    std::vector<IgnitionCase> cases;
    EndTimeMode endMode = EndTimeMode::IgnitionDelay;
    double endTime = 0.0;    // in the unit of endMode
    double maxTime = 0.0;    // s, no case runs past it
    double firstStep = 0.0;  // s, the integrator's first step; 0 lets it choose
    int points = 0;          // recorded states per case
};

// "case 3 (mixture 1, 2 atm, 1000 K)"
std::string DescribeCase(const IgnitionCase& c);

// Reads and checks the cases of `job` for a mechanism of `speciesCount` species. Species of a
// mixture whose amount is 0 are left out; a species named twice gets the sum of its amounts.
// On a fault returns nullopt and `error` names the field, mixture or case and the value at fault.
std::optional<RunPlan> PlanCases(const JobRecord& job, int32_t speciesCount, std::string& error);

}  // namespace vantor::senkin
