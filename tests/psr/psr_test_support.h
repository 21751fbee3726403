#pragma once
// Shared by the stirred-reactor tests: the hydrogen mechanism compiled once per test program.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "chemlib/mechanism.h"
#include "outside/tolmar/tolmar.h"

namespace vantor::psr::testing {

// Removes the test folder once every test has run.
class FolderCleanup : public ::testing::Environment {
public:
    static std::filesystem::path& Folder() {
        static std::filesystem::path folder;
        return folder;
    }
    void TearDown() override {
        if (!Folder().empty()) std::filesystem::remove_all(Folder());
    }
};
inline ::testing::Environment* const kFolderCleanup = ::testing::AddGlobalTestEnvironment(new FolderCleanup);

inline std::filesystem::path TestFolder() {
    static const std::filesystem::path dir = [] {
        const auto d = std::filesystem::temp_directory_path() / ("vantor_psr_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        FolderCleanup::Folder() = d;
        return d;
    }();
    return dir;
}

// tests/data/h2_li (its own thermo data) compiled into the test folder; the binary's path.
inline const std::string& HydrogenBinary() {
    static const std::string path = [] {
        const std::string data = std::string(VANTOR_TEST_DATA_DIR);
        const std::string bin = (TestFolder() / "h2_li.bin").string();
        tolmar::CompileMechanismFiles(data + "/h2_li/chem.inp", data + "/gri30/therm.dat", bin,
                                      (TestFolder() / "h2_li.out").string());
        return bin;
    }();
    return path;
}

inline chem::Mechanism LoadHydrogen() {
    chem::Mechanism mechanism;
    std::ostringstream messages;
    mechanism.Load(HydrogenBinary(), messages);
    return mechanism;
}

// Mole fractions from "NAME amount" pairs, normalised.
inline std::vector<double> Mixture(const chem::Mechanism& mechanism,
                                   const std::vector<std::pair<std::string, double>>& amounts) {
    std::vector<double> X(static_cast<size_t>(mechanism.KK()), 0.0);
    double sum = 0.0;
    for (const auto& [name, amount] : amounts) {
        X[static_cast<size_t>(mechanism.SpeciesIndex(name) - 1)] += amount;
        sum += amount;
    }
    for (double& x : X) x /= sum;
    return X;
}

}  // namespace vantor::psr::testing
