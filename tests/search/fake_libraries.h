#pragma once
// Stand-ins for Tolmar, SENKIN and the engine with known answers, on a small mechanism written
// for the purpose: the engine keeps the two fuel species and then species 3, 4, ... in order as
// the threshold rises; an ignition delay grows by a set percentage for every missing species,
// and without H nothing ignites.

#include <atomic>
#include <string>

#include "app/core/search/target_search.h"

namespace vantor::searchtest {

// H2 O2 H2O H O OH HO2 H2O2 X1 X2, with the mixture "H2 2, O2 1".
extern const char* const kMechanism;
inline constexpr int kSpecies = 10;

struct FakeCounters {
    std::atomic<int> compiles{0};
    std::atomic<int> ignitionCalls{0};
    std::atomic<int> ignitionCases{0};
    std::atomic<int> engineCalls{0};
    std::atomic<bool> failDetailedIgnition{false};
    std::atomic<bool> failReducedTest{false};  // the runs that write New_SAVE.dat fail
    std::atomic<int> maxKept{kSpecies};  // the engine never keeps more
};
FakeCounters& Counters();
void ResetCounters();

search::SearchEntries FakeEntries();

// A work folder with the mechanism, an empty thermo file and the run settings: 2 pressures,
// 3 temperatures, one mixture.
search::TargetSearchInput FakeInput(const std::string& folder);

}  // namespace vantor::searchtest
