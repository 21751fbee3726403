#pragma once
// Shared by the ignition-run tests: a fresh temporary folder, GRI-Mech 3.0 compiled once per
// test program, and job records for given cases.

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

inline chem::Mechanism LoadGri() {
    chem::Mechanism mechanism;
    std::ostringstream messages;
    mechanism.Load(GriBinary(), messages);
    return mechanism;
}

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
