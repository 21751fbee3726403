#include "cli/mixture_text.h"

#include <cstdlib>
#include <sstream>

namespace vantor::cli {

bool ParseMixtureText(std::string_view text, const chem::Mechanism& mech, std::vector<double>& X,
                      std::string& error) {
    X.assign(static_cast<size_t>(mech.KK()), 0.0);
    std::stringstream entries{std::string(text)};
    double total = 0.0;
    for (std::string entry; std::getline(entries, entry, ',');) {
        std::istringstream fields(entry);
        std::string name, amountText, extra;
        if (!(fields >> name)) continue;
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
    }
    if (!(total > 0.0)) {
        error = "no species with an amount above 0";
        return false;
    }
    for (double& x : X) x /= total;
    return true;
}

}  // namespace vantor::cli
