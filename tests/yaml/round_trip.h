#pragma once
// A CHEMKIN mechanism converted to YAML and back, both compiled: the two binaries must give the
// same rates of progress (to 1e-12) at the given states and four of their own, and the
// transport data must come back as written.

#include <string>
#include <vector>

namespace vantor::yaml::testing {

struct State {
    double T, Patm;
};

void RoundTrip(const std::string& inp, const std::string& therm, const std::string& tran, std::vector<State> states);

}  // namespace vantor::yaml::testing
