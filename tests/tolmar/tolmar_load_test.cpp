// The binaries load in the chemistry library, and for GRI-Mech 3.0 the rates of progress computed
// from the binary agree with the independent reference values: a check of every parameter the
// rate routines read (Arrhenius, efficiencies, fall-off forms, thermo for the reverse rates).

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "chemlib/mechanism.h"
#include "cli/reaction_text.h"
#include "outside/tolmar/tolmar.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

struct Loaded {
    int32_t status = -1;
    int32_t errFlag = -1;
    std::string messages;
    chem::Mechanism mechanism;
};

void Load(const std::string& folder, bool withThermo, Loaded& out) {
    TempDir dir;
    const std::string bin = dir.Path("Chem.bin");
    out.status = CompileMechanismFiles(DataPath(folder + "/chem.inp"),
                                       withThermo ? DataPath(folder + "/therm.dat") : "", bin, dir.Path("Out.dat"));
    std::ostringstream msg;
    out.errFlag = out.mechanism.Load(bin, msg);
    out.messages = msg.str();
}

TEST(TolmarLoad, EveryBundledMechanismLoads) {
    const struct {
        const char* folder;
        bool thermo;
        int32_t KK, II;
    } cases[] = {{"gri30", true, 53, 325}, {"h2_li", false, 9, 21}, {"nc7_llnl", true, 631, 2827}};
    for (const auto& c : cases) {
        Loaded loaded;
        Load(c.folder, c.thermo, loaded);
        EXPECT_EQ(loaded.status, 0) << c.folder;
        EXPECT_EQ(loaded.errFlag, 0) << c.folder << "\n" << loaded.messages;
        EXPECT_EQ(loaded.mechanism.KK(), c.KK);
        EXPECT_EQ(loaded.mechanism.II(), c.II);
    }
}

TEST(TolmarLoad, EquationsReadBackAsTheBinaryHoldsThem) {
    const CompileOutput out = CompileText(Mechanism(
        "H2 O2 OH H O H2O HO2 H2O2 AR",
        "H+H+M=H2+M 1e14 0 0\nH+O2(+AR)=HO2(+AR) 1e12 0 0\n LOW /1e16 0 0/\nH2O2(+M)=>OH+OH(+M) 1e12 0 0\n LOW "
        "/1e16 0 0/\n2H2O2=>0.5H2+H+O+OH+0.5H2O+0.75O2 1e10 0 0\nHO2=OH+O 1e12 0 1\n PLOG /1 1e12 0 1/\n"));
    ASSERT_EQ(out.Status(), 0) << Errors(out);
    TempDir dir;
    const std::string bin = dir.Path("Chem.bin");
    dir.Write("Chem.bin", std::string(out.binary.begin(), out.binary.end()));
    chem::Mechanism mech;
    std::ostringstream msg;
    ASSERT_EQ(mech.Load(bin, msg), 0) << msg.str();
    const std::vector<std::string> expected = {"2H+M<=>H2+M", "H+O2(+AR)<=>HO2(+AR)", "H2O2(+M)=>2OH(+M)",
                                               "2H2O2=>0.5H2+H+O+OH+0.5H2O+0.75O2", "HO2<=>OH+O"};
    for (int32_t i = 1; i <= mech.II(); ++i) EXPECT_EQ(cli::ReactionEquationText(mech, i), expected[i - 1]);

    // a lumped fuel reaction of a real mechanism: five products with real coefficients
    chem::Mechanism hychem;
    const std::string folder = "corpus/hychem_c1/";
    ASSERT_EQ(CompileMechanismFiles(DataPath(folder + "C1skeletal2p1.txt"), DataPath(folder + "therm.txt"), bin,
                                    dir.Path("Out.dat")),
              0);
    ASSERT_EQ(hychem.Load(bin, msg), 0) << msg.str();
    EXPECT_EQ(cli::ReactionEquationText(hychem, 1),
              "POSF11498=>2.4625807iC4H8+0.5710129C3H6+0.2461822C2H4+1.055726H+0.944274CH3");
}

struct ReferenceState {
    double T = 0.0, P = 0.0;
    std::vector<double> qf, qr;
};

std::vector<ReferenceState> ReadStates() {
    std::vector<ReferenceState> states;
    std::ifstream in(DataPath("reference/gri30_rates.txt"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string tag, key;
        s >> tag;
        if (tag == "STATE") {
            ReferenceState st;
            int n;
            double atm;
            s >> n >> key >> st.T >> key >> atm >> key >> st.P;
            states.push_back(st);
        } else if (tag == "R" && !states.empty()) {
            int i;
            double qf, qr;
            s >> i >> qf >> qr;
            states.back().qf.push_back(qf);
            states.back().qr.push_back(qr);
        }
    }
    return states;
}

TEST(TolmarLoad, Gri30RatesOfProgressMatchReference) {
    Loaded loaded;
    Load("gri30", true, loaded);
    ASSERT_EQ(loaded.errFlag, 0) << loaded.messages;
    chem::Mechanism& mech = loaded.mechanism;
    const int32_t KK = mech.KK(), II = mech.II();
    // the reference composition: X_k proportional to 1 + (k mod 7), k counted from 0
    std::vector<double> X(KK), Y(KK), wdot(KK), qf(II), qr(II);
    double sum = 0.0;
    for (int32_t k = 0; k < KK; ++k) sum += X[k] = 1.0 + k % 7;
    for (double& x : X) x /= sum;
    mech.MoleToMassFractions(X.data(), Y.data());
    const std::vector<ReferenceState> states = ReadStates();
    ASSERT_EQ(states.size(), 6u);
    for (const ReferenceState& st : states) {
        ASSERT_EQ(st.qf.size(), static_cast<size_t>(II));
        std::ostringstream msg;
        ASSERT_EQ(mech.ProductionRates(msg, st.P, st.T, Y.data(), wdot.data(), qf.data(), qr.data()), 0) << msg.str();
        for (int32_t i = 0; i < II; ++i) {
            EXPECT_NEAR(qf[i], st.qf[i], 1e-6 * std::abs(st.qf[i]) + 1e-300) << "reaction " << i + 1 << " T " << st.T;
            EXPECT_NEAR(qr[i], st.qr[i], 1e-6 * std::abs(st.qr[i]) + 1e-300) << "reaction " << i + 1 << " T " << st.T;
        }
    }
}

TEST(TolmarLoad, PressureTableTermsAtOnePressureAreSummed) {
    TempDir dir;
    const std::string mech =
        dir.Write("chem.inp", Mechanism("HO2 OH O",
                                        "HO2=>OH+O 1e12 0 1\n PLOG /10 3e12 0.5 2000/ PLOG /0.1 1e12 0 1000/\n"
                                        " PLOG /1.0 2e12 0 1000/ PLOG /1.0 5e11 0.5 2000/\n"));
    const std::string bin = dir.Path("Chem.bin");
    ASSERT_EQ(CompileMechanismFiles(mech, dir.Write("therm.dat", SmallThermo()), bin, dir.Path("Out.dat")), 0);
    chem::Mechanism m;
    std::ostringstream msg;
    ASSERT_EQ(m.Load(bin, msg), 0) << msg.str();
    const double T = 1000.0, RU = 83145100.0;
    const auto term = [T](double A, double b, double E) {
        return A * std::pow(T, b) * std::exp(-(4.179999828338623 * E) / (8.314510345458984 * T));
    };
    const std::vector<double> Y{1.0, 0.0, 0.0};
    std::vector<double> wdot(3), qf(1), qr(1);
    const struct {
        double atm, k;
    } cases[] = {
        {1.0, term(2e12, 0, 1000) + term(5e11, 0.5, 2000)}, {0.1, term(1e12, 0, 1000)}, {10.0, term(3e12, 0.5, 2000)}};
    for (const auto& c : cases) {
        const double P = c.atm * 1013250.0;
        ASSERT_EQ(m.ProductionRates(msg, P, T, Y.data(), wdot.data(), qf.data(), qr.data()), 0) << msg.str();
        EXPECT_NEAR(qf[0], c.k * P / (RU * T), 1e-9 * qf[0]) << c.atm << " atm";
        EXPECT_EQ(qr[0], 0.0);
    }
}

TEST(TolmarLoad, CrowdedReactionRatesUseEverySpecies) {
    TempDir dir;
    const std::string mech =
        dir.Write("chem.inp", Mechanism("HO2 H2O2 H2O O2 H O", "HO2+H2O2=H2O+O2+H+O 3e12 0 0\n REV /2e12 0 0/\n"));
    const std::string bin = dir.Path("Chem.bin");
    ASSERT_EQ(CompileMechanismFiles(mech, dir.Write("therm.dat", SmallThermo()), bin, dir.Path("Out.dat")), 0);
    chem::Mechanism m;
    std::ostringstream msg;
    ASSERT_EQ(m.Load(bin, msg), 0) << msg.str();
    const std::vector<double> X{0.1, 0.2, 0.3, 0.15, 0.05, 0.2};
    std::vector<double> Y(6), wdot(6), qf(1), qr(1);
    m.MoleToMassFractions(X.data(), Y.data());
    const double T = 1500.0, P = 1013250.0, C = P / (83145100.0 * T);
    ASSERT_EQ(m.ProductionRates(msg, P, T, Y.data(), wdot.data(), qf.data(), qr.data()), 0) << msg.str();
    EXPECT_NEAR(qf[0], 3e12 * (0.1 * C) * (0.2 * C), 1e-12 * qf[0]);
    EXPECT_NEAR(qr[0], 2e12 * (0.3 * C) * (0.15 * C) * (0.05 * C) * (0.2 * C), 1e-12 * qr[0]);
    const double net = qf[0] - qr[0];
    const std::vector<double> nu{-1, -1, 1, 1, 1, 1};
    for (size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(wdot[k], nu[k] * net, 1e-12 * std::abs(net)) << m.SpeciesName(int32_t(k + 1));
}

}  // namespace
}  // namespace vantor::tolmar::testing
