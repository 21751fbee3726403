#include "outside/premix/initial_guess.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>

#include "chemlib/mechanism_layout.h"

namespace vantor::premix {
namespace {

double MixtureEnthalpy(chem::Mechanism& mech, const std::vector<double>& y, double T) {
    std::vector<double> h(y.size());
    mech.Enthalpies(T, h.data());
    double s = 0.0;
    for (size_t k = 0; k < y.size(); ++k) s += y[k] * h[k] / mech.MolecularWeight(static_cast<int32_t>(k) + 1);
    return s;
}

double MixtureCp(chem::Mechanism& mech, const std::vector<double>& y, double T) {
    std::vector<double> cp(y.size());
    mech.HeatCapacities(T, cp.data());
    double s = 0.0;
    for (size_t k = 0; k < y.size(); ++k) s += y[k] * cp[k] / mech.MolecularWeight(static_cast<int32_t>(k) + 1);
    return s * chem::kGasConstant;
}

int ElementIndex(const chem::Mechanism& mech, const char* name) {
    for (int m = 1; m <= mech.MM(); ++m) {
        std::string element = mech.ElementName(m);
        for (char& c : element) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (element == name) return m - 1;
    }
    return -1;
}

}  // namespace

bool CompleteCombustion(chem::Mechanism& mech, const std::vector<double>& y, double tu, Products& products,
                        std::string& error) {
    const int kk = mech.KK(), mm = mech.MM();
    const int iC = ElementIndex(mech, "C"), iH = ElementIndex(mech, "H"), iO = ElementIndex(mech, "O");
    const int32_t* counts = mech.Ickwrk() + mech.Layout().iElementCounts;
    // Moles per gram: of every element, and of the species that hold none of C, H, O (inert).
    double C = 0.0, H = 0.0, O = 0.0;
    std::vector<double> moles(static_cast<size_t>(kk), 0.0);
    for (int k = 0; k < kk; ++k) {
        const double n = y[static_cast<size_t>(k)] / mech.MolecularWeight(k + 1);
        const int32_t* e = counts + static_cast<std::ptrdiff_t>(k) * mm;
        const int c = iC >= 0 ? e[iC] : 0, h = iH >= 0 ? e[iH] : 0, o = iO >= 0 ? e[iO] : 0;
        C += n * c, H += n * h, O += n * o;
        if (c == 0 && h == 0 && o == 0) moles[static_cast<size_t>(k)] += n;
    }
    double co2 = 0.0, co = 0.0, h2o = 0.0, h2 = 0.0, o2 = 0.0;
    if (O >= 2.0 * C + 0.5 * H) {
        co2 = C, h2o = 0.5 * H, o2 = 0.5 * (O - 2.0 * C - 0.5 * H);
    } else {
        co = std::min(C, O);
        const double left = O - co;
        h2o = std::min(left, 0.5 * H);
        h2 = 0.5 * H - h2o;
        co2 = std::min(left - h2o, co);
        co -= co2;
    }
    const std::pair<const char*, double> made[] = {{"CO2", co2}, {"CO", co}, {"H2O", h2o}, {"H2", h2}, {"O2", o2}};
    for (const auto& [name, n] : made) {
        if (n <= 0.0) continue;
        const int k = mech.SpeciesIndex(name);
        if (k == 0) {
            error = std::string("the complete-combustion product ") + name + " is not in the mechanism";
            return false;
        }
        moles[static_cast<size_t>(k - 1)] += n;
    }
    products.massFractions.assign(static_cast<size_t>(kk), 0.0);
    double total = 0.0;
    for (int k = 0; k < kk; ++k) total += moles[static_cast<size_t>(k)] * mech.MolecularWeight(k + 1);
    for (int k = 0; k < kk; ++k)
        products.massFractions[static_cast<size_t>(k)] = moles[static_cast<size_t>(k)] * mech.MolecularWeight(k + 1) / total;
    const double hu = MixtureEnthalpy(mech, y, tu);
    double T = std::max(tu, 2000.0);
    for (int it = 0; it < 50; ++it) {
        const double dT = (hu - MixtureEnthalpy(mech, products.massFractions, T)) / MixtureCp(mech, products.massFractions, T);
        T = std::clamp(T + dT, tu, 5000.0);
        if (std::abs(dT) < 1e-3) break;
    }
    products.temperature = T;
    return true;
}

InitialFlame StartingFlame(chem::Mechanism& mech, const std::vector<double>& yu, double tu, const Products& products,
                           double pressureAtm, double massFlux, double preheatLength) {
    const int kk = mech.KK();
    const double scale = 1.0 / std::sqrt(std::max(pressureAtm, 0.05));
    const double rise = products.temperature - tu, delta = preheatLength;
    InitialFlame f;
    f.length = 3.0 * scale;
    f.fixedTemperature = tu + std::min(400.0, 0.4 * rise);
    // Preheat: T - Tu = 0.8 rise exp((x - xf)/delta), the balance of convection and conduction
    // at the guessed mass flux; then a short linear rise to the products.
    const double xf = std::max(0.3 * scale, 20.0 * delta), peak = 0.8;
    const double fixedAt = xf + delta * std::log((f.fixedTemperature - tu) / (peak * rise));
    std::vector<double> x = {0.0, 0.5 * (xf - 12.0 * delta), fixedAt};
    for (double s : {-12.0, -8.0, -5.0, -3.5, -2.5, -1.8, -1.2, -0.8, -0.4, -0.2, 0.0, 0.5, 1.0, 2.0, 4.0})
        x.push_back(xf + s * delta);
    const double end = xf + 4.0 * delta;
    for (double s : {0.05, 0.15, 0.4, 1.0}) x.push_back(end + s * (f.length - end));
    std::sort(x.begin(), x.end());
    x.erase(std::unique(x.begin(), x.end(), [&](double a, double b) { return std::abs(a - b) < 0.05 * delta; }), x.end());
    f.x = x;
    const int iH = mech.SpeciesIndex("H"), iO = mech.SpeciesIndex("O"), iOH = mech.SpeciesIndex("OH");
    f.fixedPoint = static_cast<int>(std::min_element(x.begin(), x.end(), [&](double a, double b) {
                                        return std::abs(a - fixedAt) < std::abs(b - fixedAt);
                                    }) - x.begin());
    f.x[static_cast<size_t>(f.fixedPoint)] = fixedAt;
    for (size_t j = 0; j < x.size(); ++j) {
        const double xj = f.x[j];
        double s = xj < xf ? peak * std::exp((xj - xf) / delta) : std::min(1.0, peak + (1.0 - peak) * (xj - xf) / (2.0 * delta));
        if (static_cast<int>(j) == f.fixedPoint) s = (f.fixedTemperature - tu) / rise;
        f.u.push_back(tu + s * rise);
        std::vector<double> y(static_cast<size_t>(kk));
        for (size_t k = 0; k < y.size(); ++k) y[k] = (1.0 - s) * yu[k] + s * products.massFractions[k];
        const double bump = std::exp(-std::pow((xj - xf) / (2.0 * delta), 2));
        for (auto [k, top] : {std::pair{iH, 0.0005}, std::pair{iO, 0.002}, std::pair{iOH, 0.005}})
            if (k > 0) y[static_cast<size_t>(k - 1)] += top * bump;
        double sum = 0.0;
        for (double v : y) sum += v;
        for (double v : y) f.u.push_back(v / sum);
        f.u.push_back(massFlux);
    }
    return f;
}

}  // namespace vantor::premix
