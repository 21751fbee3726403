#include "outside/psr/psr_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace vantor::psr {
namespace {

std::string Full(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15E", value);
    return buffer;
}

// The value after `key` in a case line ("P=", "Status=", ...).
bool Field(const std::string& line, const std::string& key, double& value) {
    const size_t at = line.find(" " + key);
    if (at == std::string::npos) return false;
    std::istringstream in(line.substr(at + key.size() + 1));
    return static_cast<bool>(in >> value) && std::isfinite(value);
}

bool WholeNumber(double value, int& out) {
    if (value != std::floor(value) || std::fabs(value) > 1e9) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

std::string StirredReactorDataHeader() { return "! PSR extinction data\n"; }

std::string StirredReactorCaseBlock(const StirredReactorCaseSummary& s) {
    const size_t rows = std::min(s.residenceTime.size(), s.branchTemperature.size());
    std::string message = s.message;
    for (char& c : message) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::string out = "! Case " + std::to_string(s.number) + "  P= " + Full(s.pressureAtm) +
                      " atm  Tin= " + Full(s.temperature) + " K  Phi= " + Full(s.phi) +
                      "  Status= " + std::to_string(s.status) + "  TauExt= " + Full(s.extinctionTime) +
                      " s  TExt= " + Full(s.extinctionTemperature) + " K  Points= " + std::to_string(rows) + "\n";
    out += "! Message: " + message + "\n";
    out += "! Columns: tau(s) T(K)\n";
    for (size_t i = 0; i < rows; ++i) out += Full(s.residenceTime[i]) + " " + Full(s.branchTemperature[i]) + "\n";
    return out;
}

std::vector<StirredReactorCaseSummary> ReadStirredReactorSummary(const std::string& path, std::string* error) {
    std::vector<StirredReactorCaseSummary> cases;
    const auto fail = [&](int lineNumber, const std::string& why) {
        if (error) *error = path + " line " + std::to_string(lineNumber) + ": " + why;
        return cases;
    };
    std::ifstream in(path);
    if (!in) {
        if (error) *error = "cannot open " + path;
        return cases;
    }
    if (error) error->clear();
    std::string line;
    int lineNumber = 0;
    size_t expectedRows = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.rfind("! Case ", 0) == 0) {
            if (!cases.empty() && cases.back().residenceTime.size() != expectedRows) {
                return fail(lineNumber, "case " + std::to_string(cases.back().number) + " has " +
                                            std::to_string(cases.back().residenceTime.size()) + " rows, not " +
                                            std::to_string(expectedRows));
            }
            StirredReactorCaseSummary s;
            double number = 0, status = 0, points = 0;
            std::istringstream head(line.substr(7));
            if (!(head >> number) || !WholeNumber(number, s.number) || !Field(line, "P=", s.pressureAtm) ||
                !Field(line, "Tin=", s.temperature) || !Field(line, "Phi=", s.phi) || !Field(line, "Status=", status) ||
                !WholeNumber(status, s.status) || !Field(line, "TauExt=", s.extinctionTime) ||
                !Field(line, "TExt=", s.extinctionTemperature) || !Field(line, "Points=", points) ||
                !WholeNumber(points, s.points) || s.points < 0) {
                return fail(lineNumber, "not a case line: \"" + line + "\"");
            }
            expectedRows = static_cast<size_t>(s.points);
            cases.push_back(std::move(s));
        } else if (line.rfind("! Message:", 0) == 0) {
            if (cases.empty()) return fail(lineNumber, "a message before any case line");
            const size_t start = line.find_first_not_of(' ', 10);
            cases.back().message = start == std::string::npos ? "" : line.substr(start);
        } else if (line[0] == '!') {
            continue;  // the title and the column names
        } else {
            if (cases.empty()) return fail(lineNumber, "a data row before any case line");
            std::istringstream row(line);
            double tau = 0, T = 0;
            if (!(row >> tau >> T) || !std::isfinite(tau) || !std::isfinite(T)) {
                return fail(lineNumber, "not a row of two numbers: \"" + line + "\"");
            }
            cases.back().residenceTime.push_back(tau);
            cases.back().branchTemperature.push_back(T);
        }
    }
    if (!cases.empty() && cases.back().residenceTime.size() != expectedRows) {
        return fail(lineNumber, "case " + std::to_string(cases.back().number) + " has " +
                                    std::to_string(cases.back().residenceTime.size()) + " rows, not " +
                                    std::to_string(expectedRows));
    }
    return cases;
}

}  // namespace vantor::psr
