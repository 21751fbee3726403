#include "outside/psr/burned_guess.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "chemlib/mechanism_layout.h"

namespace vantor::psr {
namespace {

int ElementIndex(const chem::Mechanism& mech, const char* name) {
    for (int32_t m = 1; m <= mech.MM(); ++m) {
        std::string e = mech.ElementName(m);
        std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::toupper(c); });
        if (e == name) return m - 1;
    }
    return -1;
}

}  // namespace

bool CompleteCombustionProducts(const chem::Mechanism& mech, const std::vector<double>& X,
                                std::vector<double>& products) {
    const auto& L = mech.Layout();
    const int32_t* ick = mech.Ickwrk();
    const int c = ElementIndex(mech, "C"), h = ElementIndex(mech, "H"), o = ElementIndex(mech, "O");
    const auto atoms = [&](int k0, int m) {
        return m < 0 ? 0.0 : static_cast<double>(ick[L.iElementCounts + static_cast<int64_t>(k0) * L.MM + m]);
    };
    products.assign(X.size(), 0.0);
    double nC = 0.0, nH = 0.0, nO = 0.0;
    for (int k = 0; k < mech.KK(); ++k) {
        const double x = X[static_cast<size_t>(k)];
        if (atoms(k, c) + atoms(k, h) + atoms(k, o) == 0.0) {
            products[static_cast<size_t>(k)] = x;
            continue;
        }
        nC += x * atoms(k, c);
        nH += x * atoms(k, h);
        nO += x * atoms(k, o);
    }
    if (nO < nC) return false;
    double oxygen = nO - nC;  // after CO
    const double water = std::min(nH / 2.0, oxygen);
    oxygen -= water;
    const double carbonDioxide = std::min(nC, oxygen);
    oxygen -= carbonDioxide;
    const struct {
        const char* name;
        double amount;
    } made[] = {{"CO2", carbonDioxide},
                {"CO", nC - carbonDioxide},
                {"H2O", water},
                {"H2", nH / 2.0 - water},
                {"O2", oxygen / 2.0}};
    for (const auto& [name, amount] : made) {
        if (amount <= 0.0) continue;
        const int32_t k = mech.SpeciesIndex(name);
        if (k == 0) return false;
        products[static_cast<size_t>(k - 1)] += amount;
    }
    double sum = 0.0;
    for (const double x : products) sum += x;
    if (!(sum > 0.0)) return false;
    for (double& x : products) x /= sum;
    return true;
}

double EqualEnthalpyTemperature(StirredReactorEquations& equations, const std::vector<double>& Y) {
    double T = std::max(equations.InletTemperature(), 300.0);
    for (int i = 0; i < 50; ++i) {
        double cp = 0.0;
        const double h = equations.Enthalpy(Y.data(), T, &cp);
        const double dT = std::clamp((equations.InletEnthalpy() - h) / cp, -500.0, 500.0);
        T = std::clamp(T + dT, 100.0, 6000.0);
        if (std::fabs(dT) < 1e-8 * T) break;
    }
    return T;
}

}  // namespace vantor::psr
