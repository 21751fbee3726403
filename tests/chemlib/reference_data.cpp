#include "chemlib/reference_data.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace vantor::chem::testing {

std::vector<StateReference> ReadReference(const std::string& path) {
    std::ifstream in(path);
    std::vector<StateReference> states;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (tag == "STATE") {
            StateReference s;
            std::string label;
            int number;
            fields >> number >> label >> s.T >> label >> s.Patm;
            states.push_back(s);
        } else if (tag == "S" && !states.empty()) {
            SpeciesReference sp;
            int k;
            double X, C, wdot, SR;
            fields >> k >> sp.name >> X >> C >> wdot >> sp.H >> sp.GS >> SR >> sp.CpR;
            states.back().species.push_back(sp);
        } else if (tag == "R" && !states.empty()) {
            ReactionReference r;
            int i;
            fields >> i >> r.qf >> r.qr;
            states.back().reactions.push_back(r);
        }
    }
    return states;
}

bool Close(double actual, double expected, double tolerance, double floor) {
    return std::abs(actual - expected) <= tolerance * std::max(std::abs(expected), floor);
}

}  // namespace vantor::chem::testing
