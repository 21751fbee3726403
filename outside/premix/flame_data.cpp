#include "outside/premix/flame_data.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/atomic_file.h"

namespace vantor::premix {
namespace {

void AppendNumber(std::string& out, double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15E", v);
    out += buffer;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text.empty() ? std::string("-") : text;
}

// Reads `key` followed by a number from the header words; false if absent or not a number.
bool Field(const std::vector<std::string>& words, const std::string& key, double& value) {
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] != key) continue;
        char* end = nullptr;
        value = std::strtod(words[i + 1].c_str(), &end);
        return end && *end == '\0' && end != words[i + 1].c_str();
    }
    return false;
}

}  // namespace

std::string FormatFlameData(const std::vector<std::string>& species, const std::vector<FlameCaseData>& cases) {
    std::string out = "! PREMIX flame data\n! Species:";
    for (const auto& name : species) {
        out += ' ';
        out += name;
    }
    out += "\n";
    for (const auto& c : cases) {
        const size_t points = c.x.size();
        out += "! Case " + std::to_string(c.number) + "  P= ";
        AppendNumber(out, c.pressureAtm);
        out += " atm  Tu= ";
        AppendNumber(out, c.temperature);
        out += " K  Phi= ";
        AppendNumber(out, c.phi);
        out += "  Status= " + std::to_string(c.status) + "  SL= ";
        AppendNumber(out, c.status == 0 ? c.flameSpeed : 0.0);
        out += " cm/s  Points= " + std::to_string(points) + "\n";
        out += "! Message: ";
        out += OneLine(c.message);
        out += '\n';
        out += "! Columns: x(cm) T(K) u(cm/s) HRR(erg/cm3/s)";
        for (size_t k = 1; k <= species.size(); ++k) {
            out += " X_";
            out += std::to_string(k);
        }
        out += "\n";
        for (size_t j = 0; j < points; ++j) {
            AppendNumber(out, c.x[j]);
            for (const auto* column : {&c.temperatureProfile, &c.velocity, &c.heatRelease}) {
                out += ' ';
                AppendNumber(out, j < column->size() ? (*column)[j] : 0.0);
            }
            for (size_t k = 0; k < species.size(); ++k) {
                out += ' ';
                AppendNumber(out, j < c.moleFractions.size() && k < c.moleFractions[j].size() ? c.moleFractions[j][k]
                                                                                               : 0.0);
            }
            out += '\n';
        }
    }
    return out;
}

bool WriteFlameData(const std::string& path, const std::vector<std::string>& species,
                    const std::vector<FlameCaseData>& cases, std::string& error) {
    return WriteFileAtomically(path, FormatFlameData(species, cases), &error);
}

std::vector<FlameCaseSummary> ReadFlameSummary(const std::string& path, std::string* error) {
    std::vector<FlameCaseSummary> cases;
    auto fail = [&](int line, const std::string& why) {
        if (error) {
            *error = path;
            if (line > 0) {
                *error += ':';
                *error += std::to_string(line);
            }
            *error += ": ";
            *error += why;
        }
        return std::vector<FlameCaseSummary>{};
    };
    std::ifstream in(path);
    if (!in) return fail(0, "cannot be opened");
    std::string text;
    int lineNumber = 0;
    int rowsLeft = 0;
    bool sawTitle = false;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (lineNumber == 1) {
            if (text.rfind("! PREMIX flame data", 0) != 0) return fail(1, "not a flame data file");
            sawTitle = true;
            continue;
        }
        if (text.rfind("! Case ", 0) == 0) {
            if (rowsLeft > 0) return fail(lineNumber, "the previous case has " + std::to_string(rowsLeft) +
                                                          " rows fewer than its Points=");
            std::istringstream words(text.substr(2));
            std::vector<std::string> w;
            for (std::string s; words >> s;) w.push_back(s);
            FlameCaseSummary c;
            double number = 0, status = 0, points = 0;
            if (!Field(w, "Case", number) || !Field(w, "P=", c.pressureAtm) || !Field(w, "Tu=", c.temperature) ||
                !Field(w, "Phi=", c.phi) || !Field(w, "Status=", status) || !Field(w, "SL=", c.flameSpeed) ||
                !Field(w, "Points=", points) || points < 0)
                return fail(lineNumber, "malformed case header: " + text);
            c.number = static_cast<int>(number);
            c.status = static_cast<int>(status);
            c.points = static_cast<int>(points);
            rowsLeft = c.points;
            cases.push_back(c);
        } else if (text.rfind("! Message: ", 0) == 0) {
            if (cases.empty()) return fail(lineNumber, "message before any case");
            cases.back().message = text.substr(11);
        } else if (text.rfind("!", 0) == 0 || text.empty()) {
            continue;
        } else {
            if (rowsLeft <= 0) return fail(lineNumber, "row outside a case");
            --rowsLeft;
        }
    }
    if (!sawTitle) return fail(0, "is empty");
    if (rowsLeft > 0) return fail(lineNumber, "the last case has " + std::to_string(rowsLeft) + " rows fewer than its Points=");
    if (error) error->clear();
    return cases;
}

}  // namespace vantor::premix
