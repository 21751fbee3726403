#include "yaml/round_trip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "app/core/yaml/mechanism_conversion.h"
#include "chemlib/compiled_mechanism.h"
#include "outside/pellor/transport_data.h"

namespace vantor::yaml::testing {
namespace {

using chem::testing::CompileAndLoad;
using chem::testing::TempFolder;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ExpectSameRates(chem::Mechanism& a, chem::Mechanism& b, const std::vector<State>& states) {
    ASSERT_EQ(a.KK(), b.KK());
    ASSERT_EQ(a.II(), b.II());
    const int KK = a.KK(), II = a.II();
    std::vector<double> X(KK), Y(KK), wdot(KK), qfA(II), qrA(II), qfB(II), qrB(II);
    double sum = 0.0;
    for (int k = 0; k < KK; ++k) sum += 1.0 + k % 7;
    for (int k = 0; k < KK; ++k) X[k] = (1.0 + k % 7) / sum;
    a.MoleToMassFractions(X.data(), Y.data());
    const auto close = [](double x, double y) {
        return std::fabs(x - y) <= 1e-12 * std::max(std::fabs(x), std::fabs(y));
    };
    for (const State& s : states) {
        std::ostringstream msg;
        const int32_t status =
            a.ProductionRates(msg, s.Patm * 1013250.0, s.T, Y.data(), wdot.data(), qfA.data(), qrA.data());
        // A state beyond a pressure table's limit must be refused alike.
        ASSERT_EQ(b.ProductionRates(msg, s.Patm * 1013250.0, s.T, Y.data(), wdot.data(), qfB.data(), qrB.data()),
                  status)
            << msg.str();
        if (status != 0) continue;
        int failures = 0;
        for (int i = 0; i < II && failures < 5; ++i) {
            if (close(qfA[i], qfB[i]) && close(qrA[i], qrB[i])) continue;
            ++failures;
            ADD_FAILURE() << "reaction " << i + 1 << " at " << s.T << " K, " << s.Patm << " atm: " << qfA[i] << " / "
                          << qrA[i] << " became " << qfB[i] << " / " << qrB[i];
        }
    }
}

}  // namespace

void RoundTrip(const std::string& inp, const std::string& therm, const std::string& tran, std::vector<State> states) {
    const TempFolder original, converted;
    const auto a = CompileAndLoad(inp, therm, original.Path());
    ASSERT_NE(a, nullptr);
    const std::string yamlPath = converted.Path() + "/mech.yaml";
    std::string error;
    ASSERT_TRUE(ConvertChemkinToYaml({inp, therm, tran}, yamlPath, &error)) << error;
    ChemkinPaths back;
    ASSERT_TRUE(ConvertYamlToChemkin(yamlPath, converted.Path(), back, &error)) << error;
    const auto b = CompileAndLoad(back.mechanism, back.thermo, converted.Path());
    ASSERT_NE(b, nullptr);
    states.insert(states.end(), {{700.0, 0.5}, {1100.0, 1.0}, {1600.0, 20.0}, {2400.0, 80.0}});
    ExpectSameRates(*a, *b, states);
    if (tran.empty()) return;
    const pellor::TransportData from = pellor::ParseTransportData(Read(tran)),
                                to = pellor::ParseTransportData(Read(back.transport));
    ASSERT_EQ(static_cast<int>(to.entries.size()), a->KK());
    for (const auto& [name, p] : to.entries) {
        const pellor::TransportParameters& q = from.entries.at(name);
        EXPECT_TRUE(p.geometry == q.geometry && p.wellDepth == q.wellDepth &&
                    p.collisionDiameter == q.collisionDiameter && p.dipoleMoment == q.dipoleMoment &&
                    p.polarizability == q.polarizability && p.rotationalRelaxation == q.rotationalRelaxation)
            << name;
    }
}

}  // namespace vantor::yaml::testing
