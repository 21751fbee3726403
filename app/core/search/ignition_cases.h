#pragma once
// The ignition result of every case of a standard-data file, and how far a candidate's case lies
// from the detailed one: the relative ignition-delay difference, or "no match" when one of the
// two ignited and the other did not (outside any limit).

#include <optional>
#include <string>
#include <vector>

namespace vantor::search {

struct IgnitionCase {
    double delay = 0.0;  // s; for a case that did not ignite, the time its run ended at
    bool ignited = true;
};

// One entry per case block, in file order. False when a case lacks its delay line.
bool ReadIgnitionCases(const std::vector<std::string>& lines, std::vector<IgnitionCase>& cases);

// |reduced - detailed| / detailed in percent; 0 when neither ignited; nullopt when only one did
// (or the detailed delay is 0).
std::optional<double> CaseDifference(const IgnitionCase& detailed, const IgnitionCase& reduced);

}  // namespace vantor::search
