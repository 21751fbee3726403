#pragma once
// Shared by the ignition-run tests: a fresh temporary folder, GRI-Mech 3.0 compiled once per
// test program, small mechanisms written for a test, and job records for given cases.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "chemlib/mechanism.h"
#include "common/job_record.h"
#include "outside/tolmar/tolmar.h"

namespace vantor::senkin::testing {

// Removes the folders the tests made once every test has run.
class FolderCleanup : public ::testing::Environment {
public:
    static std::vector<std::filesystem::path>& Folders() {
        static std::vector<std::filesystem::path> folders;
        return folders;
    }
    void TearDown() override {
        for (const auto& folder : Folders()) std::filesystem::remove_all(folder);
    }
};
inline ::testing::Environment* const kFolderCleanup = ::testing::AddGlobalTestEnvironment(new FolderCleanup);

inline std::filesystem::path FreshFolder(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("vantor_senkin_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    FolderCleanup::Folders().push_back(dir);
    return dir;
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// GRI-Mech 3.0 compiled into a folder of its own; the path of its binary.
inline const std::string& GriBinary() {
    static const std::string path = [] {
        const auto dir = FreshFolder("gri30");
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";
        const std::string bin = (dir / "Chem.bin").string();
        tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", bin, (dir / "tolmar.out").string());
        return bin;
    }();
    return path;
}

// A mechanism written for a test (CHEMKIN input text), compiled with GRI-Mech 3.0's thermo data
// into a folder of its own; the path of its binary.
inline std::string CompileSmallMechanism(const std::string& name, const std::string& text) {
    const auto dir = FreshFolder("mech_" + name);
    std::ofstream(dir / "chem.inp") << text;
    const std::string bin = (dir / "Chem.bin").string();
    const int32_t status = tolmar::CompileMechanismFiles((dir / "chem.inp").string(),
                                                         std::string(VANTOR_TEST_DATA_DIR) + "/gri30/therm.dat", bin,
                                                         (dir / "tolmar.out").string());
    EXPECT_EQ(status, 0) << ReadText(dir / "tolmar.out");
    return bin;
}

// Hydrogen and oxygen in eight species and the usual eleven reactions without H2O2: it ignites
// H2/O2 mixtures (at 700 K and 10 atm only after some 4e5 s).
inline constexpr const char* kHydrogenMechanism = R"(ELEMENTS H O AR END
SPECIES H2 O2 H O OH H2O HO2 AR END
REACTIONS
H+O2<=>O+OH            3.547E15 -0.406 16599.
O+H2<=>H+OH            0.508E05  2.67  6290.
H2+OH<=>H2O+H          0.216E09  1.51  3430.
O+H2O<=>OH+OH          2.97E06   2.02  13400.
H2+M<=>H+H+M           4.577E19 -1.40 104380.
O+O+M<=>O2+M           6.165E15 -0.50  0.
H+OH+M<=>H2O+M         3.818E22 -2.00  0.
H+O2+M<=>HO2+M         6.366E20 -1.72  524.8
HO2+H<=>H2+O2          1.66E13   0.00   823.
HO2+H<=>OH+OH          7.079E13  0.00   295.
HO2+OH<=>H2O+O2        2.89E13   0.00  -497.
END
)";

// The same reduced too far: only the dissociation of H2 is left, so nothing ignites with it.
inline constexpr const char* kOverReducedHydrogenMechanism = R"(ELEMENTS H O AR END
SPECIES H2 O2 H H2O AR END
REACTIONS
H2+M<=>H+H+M           4.577E19 -1.40 104380.
END
)";

inline chem::Mechanism LoadBinary(const std::string& path) {
    chem::Mechanism mechanism;
    std::ostringstream messages;
    mechanism.Load(path, messages);
    return mechanism;
}

inline chem::Mechanism LoadGri() { return LoadBinary(GriBinary()); }

// A job of the given pressures, temperatures and mixtures ("NAME amount" pairs, species looked
// up in `mechanism`), ending at 2 x the ignition delay, at most 1 s, 20 points.
inline JobRecord MakeJob(const chem::Mechanism& mechanism, const std::vector<double>& pressures,
                         const std::vector<double>& temperatures,
                         const std::vector<std::vector<std::pair<std::string, double>>>& mixtures) {
    JobRecord job{};
    job.NPress = static_cast<int16_t>(pressures.size());
    job.NTemp = static_cast<int16_t>(temperatures.size());
    job.NMix = static_cast<int16_t>(mixtures.size());
    for (size_t i = 0; i < pressures.size(); ++i) job.Press[i] = pressures[i];
    for (size_t i = 0; i < temperatures.size(); ++i) job.Temp[i] = temperatures[i];
    for (size_t m = 0; m < mixtures.size(); ++m) {
        const int row = static_cast<int>(m) + 1;
        job.mixIndex(row, 0) = static_cast<int16_t>(mixtures[m].size());
        for (size_t k = 0; k < mixtures[m].size(); ++k) {
            job.mixIndex(row, static_cast<int>(k) + 1) =
                static_cast<int16_t>(mechanism.SpeciesIndex(mixtures[m][k].first));
            job.mixAmount(row, static_cast<int>(k) + 1) = mixtures[m][k].second;
        }
    }
    job.EndTime = 2.0;
    job.EndTimeMode = 2;
    job.NPoints = 20;
    job.MaxTime = 1.0;
    job.TimeStep = 1e-8;
    job.Marker = 99;
    return job;
}

}  // namespace vantor::senkin::testing
