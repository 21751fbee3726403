// The GRI-Mech 3.0 ignitions of the independent reference (tests/data/reference/gri30_ignition.txt,
// same definitions: delay at the largest dT/dt, rise = highest minus initial temperature, no
// ignition within 1 s) reproduced within 1 % (delay) and 0.5 % (rise).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "outside/senkin/ignition_run.h"
#include "senkin_test_support.h"

using namespace vantor;
using namespace vantor::senkin;
using namespace vantor::senkin::testing;

namespace {

struct ReferenceCase {
    double pressure = 0.0, temperature = 0.0, delay = 0.0, rise = 0.0;
    bool ignited = false;
};

// Reference rows grouped by their initial composition ("O2:0.19,CH4:0.05,N2:0.75").
std::map<std::string, std::vector<ReferenceCase>> ReadReference() {
    std::ifstream in(std::string(VANTOR_TEST_DATA_DIR) + "/reference/gri30_ignition.txt");
    std::map<std::string, std::vector<ReferenceCase>> groups;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        std::string mech, mixture, delay, bar, ignited, composition;
        ReferenceCase r;
        double finalT, wall, steps, tEnd, rtol, atol, teq, tequil;
        s >> mech >> mixture >> r.pressure >> r.temperature >> delay >> r.rise >> finalT >> wall >> bar >> ignited >>
            steps >> tEnd >> rtol >> atol >> teq >> tequil >> composition;
        r.ignited = ignited == "yes";
        r.delay = r.ignited ? std::stod(delay) : 0.0;
        groups[composition].push_back(r);
    }
    return groups;
}

std::vector<std::pair<std::string, double>> Composition(const std::string& text) {
    std::vector<std::pair<std::string, double>> amounts;
    std::istringstream s(text);
    std::string item;
    while (std::getline(s, item, ',')) {
        const size_t colon = item.find(':');
        amounts.emplace_back(item.substr(0, colon), std::stod(item.substr(colon + 1)));
    }
    return amounts;
}

std::vector<double> Distinct(const std::vector<ReferenceCase>& rows, double ReferenceCase::*field) {
    std::vector<double> values;
    for (const auto& r : rows) {
        if (std::find(values.begin(), values.end(), r.*field) == values.end()) values.push_back(r.*field);
    }
    return values;
}

}  // namespace

TEST(IgnitionReference, GriMechDelaysAndRisesAgreeWithTheIndependentCode) {
    const auto groups = ReadReference();
    ASSERT_EQ(groups.size(), 4u);
    const chem::Mechanism gri = LoadGri();
    const auto dir = FreshFolder("reference");
    int compared = 0;
    for (const auto& [composition, rows] : groups) {
        const auto pressures = Distinct(rows, &ReferenceCase::pressure);
        const auto temperatures = Distinct(rows, &ReferenceCase::temperature);
        const JobRecord job = MakeJob(gri, pressures, temperatures, {Composition(composition)});
        const IgnitionFiles files{GriBinary(), (dir / "SAVE.dat").string(), (dir / "Out.dat").string(), "chem.inp"};
        const RunReport report = RunIgnitionJob(job, files, RunOptions{}, nullptr);
        ASSERT_EQ(report.status, 0) << report.message;
        for (const auto& r : rows) {
            const auto found = std::find_if(report.cases.begin(), report.cases.end(), [&](const CaseResult& c) {
                return c.ignitionCase.pressureAtm == r.pressure && c.ignitionCase.temperature == r.temperature;
            });
            ASSERT_NE(found, report.cases.end());
            const auto& o = found->outcome;
            const std::string where = composition + " " + std::to_string(r.pressure) + " atm " +
                                      std::to_string(r.temperature) + " K";
            EXPECT_EQ(o.ignited, r.ignited) << where;
            if (r.ignited) {
                EXPECT_NEAR(o.ignition.delay / r.delay, 1.0, 0.01) << where;
            }
            EXPECT_NEAR(o.ignition.rise / r.rise, 1.0, 0.005) << where;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 31);
}
