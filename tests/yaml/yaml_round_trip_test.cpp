// CHEMKIN -> YAML -> CHEMKIN -> binary against the binary of the original files: the same rates
// of progress at the corpus states. A reaction with explicit reverse parameters comes back as two
// irreversible reactions, whose forward rates are the original's forward and reverse rates.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "app/core/yaml/mechanism_conversion.h"
#include "chemlib/compiled_mechanism.h"
#include "outside/pellor/transport_data.h"

using namespace vantor;
using chem::testing::CompileAndLoad;
using chem::testing::TempFolder;

namespace {

struct State {
    double T, Patm;
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ExpectSameRates(chem::Mechanism& a, chem::Mechanism& b, const std::vector<State>& states) {
    ASSERT_EQ(a.KK(), b.KK());
    const int KK = a.KK();
    std::vector<bool> split(a.II(), false);
    for (int32_t n = 0; n < a.Layout().NREVPAR; ++n) split[a.Ickwrk()[a.Layout().iReverse + n] - 1] = true;
    int expected = a.II();
    for (bool s : split) expected += s ? 1 : 0;
    ASSERT_EQ(b.II(), expected);
    std::vector<double> X(KK), Y(KK), wdot(KK), qfA(a.II()), qrA(a.II()), qfB(b.II()), qrB(b.II());
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += 1.0 + k % 7;
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 7) / sum;
    a.MoleToMassFractions(X.data(), Y.data());
    const auto close = [](double x, double y) { return std::fabs(x - y) <= 1e-12 * std::max(std::fabs(x), std::fabs(y)); };
    for (const State& s : states) {
        std::ostringstream msg;
        ASSERT_EQ(a.ProductionRates(msg, s.Patm * 1013250.0, s.T, Y.data(), wdot.data(), qfA.data(), qrA.data()), 0) << msg.str();
        ASSERT_EQ(b.ProductionRates(msg, s.Patm * 1013250.0, s.T, Y.data(), wdot.data(), qfB.data(), qrB.data()), 0) << msg.str();
        int failures = 0;
        for (int i = 0, j = 0; i < a.II() && failures < 5; ++i, ++j) {
            const double reverse = split[i] ? qfB[j + 1] : qrB[j];
            if (!close(qfA[i], qfB[j]) || !close(qrA[i], reverse)) {
                ++failures;
                ADD_FAILURE() << "reaction " << i + 1 << " at " << s.T << " K, " << s.Patm << " atm: " << qfA[i] << " / "
                              << qrA[i] << " became " << qfB[j] << " / " << reverse;
            }
            if (split[i]) ++j;
        }
    }
}

void RoundTrip(const std::string& inp, const std::string& therm, const std::string& tran, std::vector<State> states) {
    const TempFolder original, converted;
    const auto a = CompileAndLoad(inp, therm, original.Path());
    ASSERT_NE(a, nullptr);
    const std::string yamlPath = converted.Path() + "/mech.yaml";
    std::string error;
    ASSERT_TRUE(yaml::ConvertChemkinToYaml({inp, therm, tran}, yamlPath, &error)) << error;
    yaml::ChemkinPaths back;
    ASSERT_TRUE(yaml::ConvertYamlToChemkin(yamlPath, converted.Path(), back, &error)) << error;
    const auto b = CompileAndLoad(back.mechanism, back.thermo, converted.Path());
    ASSERT_NE(b, nullptr);
    states.insert(states.end(), {{700.0, 0.5}, {1100.0, 1.0}, {1600.0, 20.0}, {2400.0, 80.0}});
    ExpectSameRates(*a, *b, states);
    if (tran.empty()) return;
    // Transport survives as written: every species' six numbers.
    const pellor::TransportData from = pellor::ParseTransportData(Read(tran)), to = pellor::ParseTransportData(Read(back.transport));
    ASSERT_EQ(static_cast<int>(to.entries.size()), a->KK());
    for (const auto& [name, p] : to.entries) {
        const pellor::TransportParameters& q = from.entries.at(name);
        EXPECT_TRUE(p.geometry == q.geometry && p.wellDepth == q.wellDepth && p.collisionDiameter == q.collisionDiameter &&
                    p.dipoleMoment == q.dipoleMoment && p.polarizability == q.polarizability &&
                    p.rotationalRelaxation == q.rotationalRelaxation)
            << name;
    }
}

}  // namespace

TEST(YamlRoundTrip, BundledMechanisms) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/";
    for (const char* name : {"gri30", "nc7_llnl"}) {
        SCOPED_TRACE(name);
        const std::string dir = data + name + "/";
        RoundTrip(dir + "chem.inp", dir + "therm.dat", dir + "tran.dat", {});
    }
}

TEST(YamlRoundTrip, CorpusMechanisms) {
    const std::string corpus = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/";
    std::ifstream manifest(corpus + "MANIFEST.tsv");
    int mechanisms = 0;
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
        ASSERT_GE(f.size(), 7u) << line;
#if VANTOR_SANITIZED_BUILD
        if (f[0] == "c3mech33" || f[0] == "aramco3") continue;  // the largest run in the release build
#endif
        SCOPED_TRACE(f[0]);
        const std::string dir = corpus + f[0] + "/";
        const auto path = [&](const std::string& name) { return name == "-" ? std::string() : dir + name; };
        std::vector<State> states;
        if (f[5] != "-") states.push_back({std::stod(f[6]), std::stod(f[5])});
        RoundTrip(dir + f[1], path(f[2]), path(f[3]), states);
        ++mechanisms;
    }
    EXPECT_GE(mechanisms, 12);
}
