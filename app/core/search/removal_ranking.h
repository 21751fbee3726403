#pragma once
// Which kept species the engine needed least. The engine's run listing records, for every
// recorded state of the standard data, the species its search kept there ("Line" records), and
// per case the species kept anywhere in it ("Case" records). A species kept at few states was
// reached from the starting species only briefly (a short-lived intermediate, or one above the
// threshold only near ignition); removing it is the likeliest to leave the ignition delays as
// they are. That count is the ranking: fewest states first, then fewest cases, then the later
// species of the mechanism first (mechanisms list their small, central species first).

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/search/candidate_mechanism.h"

namespace vantor::search {

struct SpeciesUse {
    int32_t states = 0;  // recorded states at which the engine kept the species
    int32_t cases = 0;   // cases in which it kept it at some state
};

// Per species 1..speciesCount (at [k - 1]) from the listing's "Line" and "Case" records; false
// when the file cannot be read or holds no "Line" record.
bool ReadSpeciesUse(const std::string& listingPath, int32_t speciesCount, std::vector<SpeciesUse>& use);

// The 0-based species of `kept`, not in `fixed`, least needed first.
std::vector<int32_t> RankForRemoval(const std::vector<SpeciesUse>& use, const KeepMarks& kept, const KeepMarks& fixed);

}  // namespace vantor::search
