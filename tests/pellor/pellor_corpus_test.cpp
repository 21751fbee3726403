// Pellor on the transport files of the public mechanisms in tests/data/corpus (MANIFEST.tsv):
// files named as they ship, with remarks, blank lines, lower-case names, repeated entries and
// blocks of other data after END. Each mechanism Tolmar compiles gets an entry for every species.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "chemlib/mechanism.h"
#include "outside/pellor/pellor.h"
#include "outside/pellor/transport_data.h"
#include "outside/tolmar/tolmar.h"

using namespace vantor;
using namespace vantor::pellor;
namespace fs = std::filesystem;

namespace {

const std::string kCorpus = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/";
// The binary of a mechanism this large takes 40 MB (C3MechV3.3: 570 MB); its names are still matched.
constexpr int32_t kLargestFitted = 1000;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PellorCorpus, EverySpeciesOfEachMechanismHasAnEntry) {
    const fs::path folder = fs::temp_directory_path() / ("vantor_pellor_corpus_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::istringstream manifest(ReadText(kCorpus + "MANIFEST.tsv"));
    int checked = 0;
    std::string notCompiled;
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, mechanism, thermo, transport;
        std::getline(fields, name, '\t');
        std::getline(fields, mechanism, '\t');
        std::getline(fields, thermo, '\t');
        std::getline(fields, transport, '\t');
        if (transport == "-") continue;
        SCOPED_TRACE(name);
        const std::string dir = kCorpus + name + "/", bin = (folder / (name + ".bin")).string();
        if (tolmar::CompileMechanismFiles(dir + mechanism, thermo == "-" ? "" : dir + thermo, bin,
                                          (folder / (name + ".out")).string()) != 0) {
            notCompiled += " " + name;  // the interpreter's own tests cover why
            continue;
        }
        chem::Mechanism mech;
        std::ostringstream msg;
        ASSERT_EQ(mech.Load(bin, msg), 0) << msg.str();
        const TransportData data = ParseTransportData(ReadText(dir + transport));
        for (int32_t k = 1; k <= mech.KK(); ++k)
            EXPECT_TRUE(data.entries.count(UpperCase(mech.SpeciesName(k)))) << mech.SpeciesName(k);
        if (mech.KK() <= kLargestFitted) {
            const PellorFiles files{bin, dir + transport, (folder / (name + "_Tran.bin")).string(),
                                    (folder / (name + "_Out.dat")).string()};
            const PellorReport report = FitTransport(files, nullptr);
            EXPECT_EQ(report.status, kPellorOk) << report.message;
            EXPECT_TRUE(fs::exists(files.transportBinary));
        }
        ++checked;
    }
    fs::remove_all(folder);
    if (!notCompiled.empty()) std::cout << "[ NOTE     ] not compiled on this build:" << notCompiled << "\n";
    EXPECT_GE(checked, 5);
}

}  // namespace
