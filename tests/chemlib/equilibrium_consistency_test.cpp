// Every reversible reaction without explicit reverse parameters keeps its equilibrium: after an
// evaluation kf/kr equals Kc, computed here from the library's S/R - H/RT and the coefficient
// sums (integer and real), within 1e-12, on every mechanism of tests/data at states inside,
// between and outside the usual pressure tables. Pressure-table reactions are among them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "chemlib/compiled_mechanism.h"
#include "chemlib/library_constants.h"

using namespace vantor::chem;
using namespace vantor::chem::testing;

namespace {

struct MechanismFiles {
    const char* name;
    const char* mechanism;  // under tests/data
    const char* thermo;
    bool large;  // left out of the sanitizer builds, which are many times slower
};

const MechanismFiles kMechanisms[] = {
    {"gri30", "gri30/chem.inp", "gri30/therm.dat", false},
    {"h2_li", "h2_li/chem.inp", "h2_li/chem.inp", false},
    {"nc7_llnl", "nc7_llnl/chem.inp", "nc7_llnl/therm.dat", false},
    {"aramco13", "corpus/aramco13/AramcoMech_1.3_C4_chem.dat", "corpus/aramco13/AramcoMech_1.3_therm.dat", false},
    {"aramco3", "corpus/aramco3/AramcoMech3.0.MECH", "corpus/aramco3/ARAMCOMECH30.THERM", false},
    {"butanol_sarathy2012", "corpus/butanol_sarathy2012/1-s2.0-S0010218011004263-mmc3.txt",
     "corpus/butanol_sarathy2012/1-s2.0-S0010218011004263-mmc6.txt", false},
    {"c3mech33", "corpus/c3mech33/C3MechV3.3.MECH", "corpus/c3mech33/C3MechV3.3.THERM", true},
    {"dme_zhao2008", "corpus/dme_zhao2008/kin20285-chem.inp", "corpus/dme_zhao2008/kin20285-chem.inp", false},
    {"dmm_pyrolysis", "corpus/dmm_pyrolysis/DMM_pyrolysis_wToluene_2022-01-04.inp",
     "corpus/dmm_pyrolysis/DMM_pyrolysis_wToluene_2022-01-04.therm", false},
    {"dodecane_lumped", "corpus/dodecane_lumped/chem.inp", "corpus/dodecane_lumped/therm.dat", false},
    {"ffcm1", "corpus/ffcm1/mech-FFCM1", "corpus/ffcm1/thermdat", false},
    {"glarborg2018", "corpus/glarborg2018/mech.dat", "corpus/glarborg2018/thermo.dat", false},
    {"hashemi2016", "corpus/hashemi2016/mech.inp", "corpus/hashemi2016/therm.dat", false},
    {"hychem_c1", "corpus/hychem_c1/C1skeletal2p1.txt", "corpus/hychem_c1/therm.txt", false},
    {"ic8_llnl3", "corpus/ic8_llnl3/ic8_ver3_mech.txt", "corpus/ic8_llnl3/prf_v3_therm_dat.txt", false},
    {"jp10_rmg", "corpus/jp10_rmg/JP10_RMG_Gao2015.inp", "corpus/jp10_rmg/JP10_RMG_Gao2015.inp", false},
    {"konnov2008_h2", "corpus/konnov2008_h2/chem.inp", "corpus/konnov2008_h2/thermo.dat", false},
    {"tmm_pyrolysis", "corpus/tmm_pyrolysis/TMM_pyrolysis_2022-01-04.inp",
     "corpus/tmm_pyrolysis/TMM_pyrolysis_2022-01-04.therm", false},
};

void PrintTo(const MechanismFiles& m, std::ostream* out) { *out << m.name; }

// Low temperature and pressure (free energies beyond the ratio form), between table pressures,
// above the usual tables.
const double kStates[][2] = {{500.0, 0.05}, {1250.0, 20.0}, {2200.0, 300.0}};

// Kc = exp(min(S, EXPARG)) PFAC^(integer sum) [PFAC^(real sum)], S over the occupied slots with
// the real coefficients where the reaction has them (and their S is not 0).
std::vector<double> EquilibriumConstants(const Mechanism& m, const double* SMH, double T) {
    const MechanismLayout& L = m.Layout();
    const int32_t* ick = m.Ickwrk();
    const double* rck = m.Rckwrk();
    const double PFAC = kAtmosphere / (kGasConstant * T);
    std::vector<double> S(m.II(), 0.0), sum(m.II(), 0.0);
    for (int32_t i = 0; i < m.II(); ++i) {
        for (int32_t n = 0; n < L.MXSP; ++n) {
            const int64_t at = int64_t(i) * L.MXSP + n;
            const int32_t k = ick[L.iSlotSpecies + at];
            if (k != 0) S[i] += ick[L.iStoich + at] * SMH[k - 1];
            sum[i] += ick[L.iStoich + at];
        }
    }
    std::vector<double> realSum(m.II(), 0.0);
    for (int32_t l = 0; l < L.NREALNU; ++l) {
        const int32_t i = ick[L.iRealNu + l] - 1;
        double real = 0.0;
        for (int32_t n = 0; n < L.MXSP; ++n) {
            const double nu = rck[L.rRealNu + int64_t(l) * L.MXSP + n];
            const int32_t k = ick[L.iSlotSpecies + int64_t(i) * L.MXSP + n];
            if (k != 0) real += nu * SMH[k - 1];
            realSum[i] += nu;
        }
        if (real != 0.0) S[i] = real;
    }
    std::vector<double> Kc(m.II());
    for (int32_t i = 0; i < m.II(); ++i)
        Kc[i] = std::exp(std::min(S[i], kExpArg)) * std::pow(PFAC, sum[i]) * std::pow(PFAC, realSum[i]);
    return Kc;
}

class EquilibriumConsistency : public ::testing::TestWithParam<MechanismFiles> {};

TEST_P(EquilibriumConsistency, ForwardOverReverseIsTheEquilibriumConstant) {
#if VANTOR_SANITIZED_BUILD
    if (GetParam().large) GTEST_SKIP() << "the largest mechanisms run in the release build";
#endif
    const TempFolder folder;
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/";
    const auto m = CompileAndLoad(data + GetParam().mechanism, data + GetParam().thermo, folder.Path());
    ASSERT_NE(m, nullptr);
    const MechanismLayout& L = m->Layout();
    const int32_t* ick = m->Ickwrk();
    // Explicit reverse parameters, Janev-Langer-Evans-Post and Fit # 1 reactions set kr otherwise.
    std::vector<bool> own(m->II(), false);
    for (int32_t n = 0; n < L.NREVPAR; ++n) own[ick[L.iReverse + n] - 1] = true;
    for (int32_t n = 0; n < L.NJLEP; ++n) own[ick[L.iJlep + n] - 1] = true;
    for (int32_t n = 0; n < L.NFIT1; ++n) own[ick[L.iFit1 + n] - 1] = true;

    const int KK = m->KK(), II = m->II();
    std::vector<double> X(KK, 1.0 / KK), Y(KK), wdot(KK), qf(II), qr(II), SMH(KK);
    m->MoleToMassFractions(X.data(), Y.data());
    int checked = 0;
    for (const auto& [T, Patm] : kStates) {
        SCOPED_TRACE(std::to_string(T) + " K, " + std::to_string(Patm) + " atm");
        std::ostringstream msg;
        ASSERT_EQ(m->ProductionRates(msg, Patm * kAtmosphere, T, Y.data(), wdot.data(), qf.data(), qr.data()), 0)
            << msg.str();
        const std::vector<double> kf(m->Rckwrk() + L.rForwardConstants, m->Rckwrk() + L.rForwardConstants + II);
        const std::vector<double> kr(m->Rckwrk() + L.rReverseConstants, m->Rckwrk() + L.rReverseConstants + II);
        m->Library().EntropyMinusEnthalpy(T, ick, m->Rckwrk(), SMH.data());
        const std::vector<double> Kc = EquilibriumConstants(*m, SMH.data(), T);
        for (int32_t i = 0; i < II; ++i) {
            if (ick[L.iSpeciesCount + i] <= 0 || own[i]) continue;
            ASSERT_TRUE(std::isfinite(kf[i]) && std::isfinite(kr[i])) << "reaction " << i + 1 << ": " << kf[i] << ", "
                                                                      << kr[i];
            const double expected = kf[i] / std::max(Kc[i], kSmall);
            // Below the normal doubles kr carries too few bits for the comparison.
            if (std::abs(expected) < 1e-290 || !std::isfinite(expected)) continue;
            EXPECT_NEAR(kr[i] / expected, 1.0, 1e-12) << "reaction " << i + 1 << ": kf " << kf[i] << ", kr " << kr[i]
                                                       << ", Kc " << Kc[i];
            ++checked;
        }
    }
    std::printf("%s: %d reversible reactions and states checked\n", GetParam().name, checked);
}

INSTANTIATE_TEST_SUITE_P(Mechanisms, EquilibriumConsistency, ::testing::ValuesIn(kMechanisms),
                         [](const ::testing::TestParamInfo<MechanismFiles>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
