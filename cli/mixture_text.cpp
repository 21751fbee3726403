#include "cli/mixture_text.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vantor::cli {

namespace {

// Adds one "NAME amount" entry to X; an entry of blanks only adds nothing.
bool AddEntry(const std::string& entry, const chem::Mechanism& mech, std::vector<double>& X, double& total,
              std::string& error) {
    std::istringstream fields(entry);
    std::string name, amountText, extra;
    if (!(fields >> name)) return true;
    if (!(fields >> amountText) || (fields >> extra)) {
        error = "entry '" + entry + "' is not 'NAME amount'";
        return false;
    }
    const int32_t k = mech.SpeciesIndex(name);
    if (k == 0) {
        error = "species '" + name + "' is not in the mechanism";
        return false;
    }
    char* end = nullptr;
    const double amount = std::strtod(amountText.c_str(), &end);
    if (*end != '\0' || !(amount >= 0.0)) {
        error = "amount '" + amountText + "' of " + name + " is not a number of 0 or more";
        return false;
    }
    X[static_cast<size_t>(k - 1)] += amount;
    total += amount;
    return true;
}

bool Normalise(std::vector<double>& X, double total, std::string& error) {
    if (!(total > 0.0)) {
        error = "no species with an amount above 0";
        return false;
    }
    for (double& x : X) x /= total;
    return true;
}

}  // namespace

bool ParseMixtureText(std::string_view text, const chem::Mechanism& mech, std::vector<double>& X,
                      std::string& error) {
    X.assign(static_cast<size_t>(mech.KK()), 0.0);
    std::stringstream entries{std::string(text)};
    double total = 0.0;
    for (std::string entry; std::getline(entries, entry, ',');) {
        if (!AddEntry(entry, mech, X, total, error)) return false;
    }
    return Normalise(X, total, error);
}

bool ReadMixtureFile(const std::string& path, const chem::Mechanism& mech, std::vector<double>& X,
                     std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    X.assign(static_cast<size_t>(mech.KK()), 0.0);
    double total = 0.0;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '!') continue;
        if (!AddEntry(line, mech, X, total, error)) {
            error = path + " line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    if (Normalise(X, total, error)) return true;
    error = path + ": " + error;
    return false;
}

}  // namespace vantor::cli
