#pragma once
// The reference files of tests/data/reference: per state the species' thermodynamics and the
// forward and reverse rates of progress of every reaction, from an independent kinetics code.

#include <string>
#include <vector>

namespace vantor::chem::testing {

struct SpeciesReference {
    std::string name;
    double H, GS, CpR;
};

struct ReactionReference {
    double qf, qr;
};

struct StateReference {
    double T = 0, Patm = 0;
    std::vector<SpeciesReference> species;
    std::vector<ReactionReference> reactions;
};

std::vector<StateReference> ReadReference(const std::string& path);

// |actual - expected| within tolerance x max(|expected|, floor).
bool Close(double actual, double expected, double tolerance, double floor = 0.0);

}  // namespace vantor::chem::testing
