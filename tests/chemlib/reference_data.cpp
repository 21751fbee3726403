#include "chemlib/reference_data.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vantor::chem::testing {

// Line by line with strtod: the largest files hold some hundred thousand lines.
std::vector<StateReference> ReadReference(const std::string& path) {
    std::ifstream in(path);
    std::vector<StateReference> states;
    std::string line;
    const auto numbers = [](const char* p, double* out, int count) {
        for (int n = 0; n < count; ++n) {
            char* end;
            out[n] = std::strtod(p, &end);
            p = end;
        }
        return p;
    };
    const auto word = [](const char* p, std::string& out) {
        while (*p == ' ') ++p;
        const char* end = p;
        while (*end && *end != ' ') ++end;
        out.assign(p, end);
        return end;
    };
    while (std::getline(in, line)) {
        if (line.size() < 2 || line[1] != ' ') {
            if (line.compare(0, 6, "STATE ") != 0) continue;
            std::istringstream fields(line);
            std::string tag, label;
            int number;
            StateReference s;
            fields >> tag >> number >> label >> s.T >> label >> s.Patm;
            states.push_back(s);
        } else if (line[0] == 'S' && !states.empty()) {
            // S k name X C wdot H GS S/R cp/R
            SpeciesReference sp;
            double v[7];
            numbers(word(numbers(line.c_str() + 1, v, 1), sp.name), v, 7);
            sp.H = v[3], sp.GS = v[4], sp.CpR = v[6];
            states.back().species.push_back(sp);
        } else if (line[0] == 'R' && !states.empty()) {
            double v[3];  // R i q_fwd q_rev ...
            numbers(line.c_str() + 1, v, 3);
            states.back().reactions.push_back({v[1], v[2]});
        }
    }
    return states;
}

bool Close(double actual, double expected, double tolerance, double floor) {
    return std::abs(actual - expected) <= tolerance * std::max(std::abs(expected), floor);
}

}  // namespace vantor::chem::testing
