// CHEMKIN -> YAML -> CHEMKIN -> binary against the binary of the original files: the same rates
// of progress at the corpus states.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "yaml/round_trip.h"

using vantor::yaml::testing::RoundTrip;

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
        std::vector<vantor::yaml::testing::State> states;
        if (f[5] != "-") states.push_back({std::stod(f[6]), std::stod(f[5])});
        RoundTrip(dir + f[1], path(f[2]), path(f[3]), states);
        ++mechanisms;
    }
    EXPECT_GE(mechanisms, 12);
}
