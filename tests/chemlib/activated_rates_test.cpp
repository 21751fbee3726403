// Chemically activated reactions (HIGH): k = k0 F / (1 + Pr) with Pr = k0 [M] / kinf, the
// reaction's own rate k0 and the HIGH rate kinf, F of the Lindemann, Troe or SRI form, evaluated
// here by hand from the mechanism's numbers (three reactions of the butanol mechanism of
// Sarathy et al. 2012).

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/compiled_mechanism.h"
#include "chemlib/reference_data.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;

namespace {

constexpr double kR = 83145100.0, kAtm = 1013250.0, kRcal = 83145100.0 / 4.184e7;

constexpr const char* kMechanism =
    "ELEMENTS C H O N END\nSPECIES CH3 OH CH2O H2 CH2OH H C2H5 H2O N2 END\nREACTIONS\n"
    "CH3+OH(+M)<=>CH2O+H2(+M) 282320.078 1.46878 -3270.56495\n"
    " HIGH / 5.88E-14 6.721 -3022.227 /\n TROE / 1.671E+00 434.782 2934.21 3.919E+03 /\n H2O/6/\n"
    "CH3+OH(+M)<=>CH2OH+H(+M) 6.58E+09 0.996 3191.122\n HIGH / 5.86E-06 5.009 1886.4578 /\n"
    "CH3+CH3(+M)<=>C2H5+H(+M) 4.989e12 0.099 1.06e4\n HIGH/3.802e-7 4.838 7.710e3/\n SRI/1.641 4334 2725/\n"
    "END\n";

double Arrhenius(double A, double b, double E, double T) { return A * std::pow(T, b) * std::exp(-E / (kRcal * T)); }

double Troe(double a, double T3, double T1, double T2, double Pr, double T) {
    const double logFc = std::log10((1 - a) * std::exp(-T / T3) + a * std::exp(-T / T1) + std::exp(-T2 / T));
    const double c = -0.4 - 0.67 * logFc, n = 0.75 - 1.27 * logFc, x = std::log10(Pr) + c;
    return std::pow(10.0, logFc / (1 + std::pow(x / (n - 0.14 * x), 2)));
}

double Sri(double a, double b, double c, double Pr, double T) {
    return std::pow(a * std::exp(-b / T) + std::exp(-T / c), 1.0 / (1 + std::pow(std::log10(Pr), 2)));
}

TEST(ChemicallyActivatedReactions, RatesEqualTheHandEvaluatedForms) {
    TempFolder dir;
    ASSERT_FALSE(dir.Path().empty());
    const auto m = CompileTextAndLoad(kMechanism, dir.Path());
    ASSERT_TRUE(m);
    const int KK = m->KK(), II = m->II();
    ASSERT_EQ(II, 3);
    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II), SMH(KK);
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 4) / 21.0;  // sums to 1 over the nine species
    m->MoleToMassFractions(X.data(), Y.data());
    const auto C = [&](const char* name, double P, double T) { return X[m->SpeciesIndex(name) - 1] * P / (kR * T); };
    for (const auto& [T, Patm] : {std::pair{900.0, 0.1}, std::pair{1500.0, 1.0}, std::pair{2200.0, 100.0}}) {
        SCOPED_TRACE("T = " + std::to_string(T) + ", P = " + std::to_string(Patm));
        const double P = Patm * kAtm;
        std::ostringstream msg;
        ASSERT_EQ(m->ProductionRates(msg, P, T, Y.data(), wdot.data(), qf.data(), qr.data()), 0) << msg.str();
        m->Library().EntropyMinusEnthalpy(T, m->Ickwrk(), m->Rckwrk(), SMH.data());
        const double Mtot = P / (kR * T);

        const double k0[] = {Arrhenius(282320.078, 1.46878, -3270.56495, T), Arrhenius(6.58E+09, 0.996, 3191.122, T),
                             Arrhenius(4.989e12, 0.099, 1.06e4, T)};
        const double kinf[] = {Arrhenius(5.88E-14, 6.721, -3022.227, T), Arrhenius(5.86E-06, 5.009, 1886.4578, T),
                               Arrhenius(3.802e-7, 4.838, 7.710e3, T)};
        const double M[] = {Mtot + 5.0 * C("H2O", P, T), Mtot, Mtot};
        double k[3];
        for (int i = 0; i < 3; ++i) {
            const double Pr = k0[i] * M[i] / kinf[i];
            const double F = i == 0   ? Troe(1.671, 434.782, 2934.21, 3.919E+03, Pr, T)
                             : i == 1 ? 1.0
                                      : Sri(1.641, 4334, 2725, Pr, T);
            k[i] = k0[i] * F / (1 + Pr);
        }
        const double forward[] = {k[0] * C("CH3", P, T) * C("OH", P, T), k[1] * C("CH3", P, T) * C("OH", P, T),
                                  k[2] * std::pow(C("CH3", P, T), 2)};
        const auto Kc = [&](std::vector<std::pair<const char*, int>> terms) {
            double S = 0.0;
            int dn = 0;
            for (const auto& [name, nu] : terms) {
                S += nu * SMH[m->SpeciesIndex(name) - 1];
                dn += nu;
            }
            return std::exp(S) * std::pow(kAtm / (kR * T), dn);
        };
        const double reverse[] = {
            k[0] / Kc({{"CH3", -1}, {"OH", -1}, {"CH2O", 1}, {"H2", 1}}) * C("CH2O", P, T) * C("H2", P, T),
            k[1] / Kc({{"CH3", -1}, {"OH", -1}, {"CH2OH", 1}, {"H", 1}}) * C("CH2OH", P, T) * C("H", P, T),
            k[2] / Kc({{"CH3", -2}, {"C2H5", 1}, {"H", 1}}) * C("C2H5", P, T) * C("H", P, T)};
        for (int i = 0; i < 3; ++i) {
            // the library's Troe constants are single-precision numbers
            EXPECT_TRUE(Close(qf[i], forward[i], 1e-7)) << "reaction " << i + 1 << " " << qf[i] << " vs " << forward[i];
            EXPECT_TRUE(Close(qr[i], reverse[i], 1e-7)) << "reaction " << i + 1 << " " << qr[i] << " vs " << reverse[i];
        }
    }
}

}  // namespace
