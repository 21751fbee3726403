// The workbench counts and numbers the reactions of every public mechanism as the compiler does:
// the open command's reaction count and the reaction map's numbers end at the binary's II.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/trimming.h"
#include "outside/tolmar/tolmar.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

struct Input {
    std::string mechanism, thermo;  // paths; thermo empty for THERMO ALL
};

// Every folder of the corpus: its MANIFEST line, or the *.MECH and *.THERM files it holds.
std::map<std::string, Input> CorpusInputs() {
    const std::filesystem::path root = DataPath("corpus");
    std::map<std::string, Input> inputs;
    for (const auto& folder : std::filesystem::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        Input& in = inputs[folder.path().filename().string()];
        for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
            const std::string ext = file.path().extension().string();
            if (ext == ".MECH") in.mechanism = file.path().string();
            if (ext == ".THERM") in.thermo = file.path().string();
        }
    }
    std::ifstream manifest(root / "MANIFEST.tsv");
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, mechanism, thermo;
        std::getline(fields, name, '\t');
        std::getline(fields, mechanism, '\t');
        std::getline(fields, thermo, '\t');
        inputs[name] = {(root / name / mechanism).string(), thermo == "-" ? "" : (root / name / thermo).string()};
    }
    return inputs;
}

TEST(TolmarCorpus, WorkbenchCountsTheReactionsTheBinaryHolds) {
    TempDir dir;
    for (const auto& [name, in] : CorpusInputs()) {
        ASSERT_FALSE(in.mechanism.empty()) << name;
        const std::string bin = dir.Path("Chem.bin"), listing = dir.Path("Out.dat");
        std::filesystem::remove(bin);
        if (CompileMechanismFiles(in.mechanism, in.thermo, bin, listing) != 0) {
            ADD_FAILURE() << name << ": " << ReadFileText(listing).substr(0, 2000);
            continue;
        }
        BinaryImage image;
        std::string error;
        ASSERT_TRUE(ReadBinaryImage(bin, image, error)) << name << ": " << error;
        MechanismModel model;
        ASSERT_TRUE(OpenMechanism(model, in.mechanism).ok) << name;
        EXPECT_EQ(model.DetailedReactionCount, image.II()) << name;
        EXPECT_EQ(BuildReactionMap(model.MechanismText).reactionCount, image.II()) << name;
    }
}

}  // namespace
}  // namespace vantor::tolmar::testing
