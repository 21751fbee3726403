#include "tolmar/tolmar_test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace vantor::tolmar::testing {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    root_ = std::filesystem::temp_directory_path() /
            ("tolmar_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

std::string TempDir::Write(const std::string& name, std::string_view text) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string DataPath(const std::string& relative) {
    return std::string(VANTOR_TEST_DATA_DIR) + "/" + relative;
}

std::string ThermoEntry(const std::string& name, const std::vector<std::pair<std::string, int>>& atoms, double tLow,
                        double tHigh, double tCommon, double seed) {
    char buf[128];
    std::string line1 = name;
    line1.resize(18, ' ');
    line1 += "TEST  ";
    for (size_t n = 0; n < 4; ++n) {
        if (n < atoms.size()) {
            std::snprintf(buf, sizeof buf, "%-2s%3d", atoms[n].first.c_str(), atoms[n].second);
            line1 += buf;
        } else {
            line1 += "     ";
        }
    }
    std::snprintf(buf, sizeof buf, "G%10.3f%10.3f%8.2f", tLow, tHigh, tCommon);
    line1 += buf;
    line1.resize(79, ' ');
    std::string entry = line1 + "1\n";
    // a1..a7 of the high range are seed + 0.01 j, of the low range seed + 0.1 + 0.01 j.
    double values[14];
    for (int j = 0; j < 7; ++j) {
        values[j] = seed + 0.01 * (j + 1);
        values[7 + j] = seed + 0.1 + 0.01 * (j + 1);
    }
    for (int l = 0; l < 3; ++l) {
        std::string line;
        for (int f = 0; f < 5 && 5 * l + f < 14; ++f) {
            std::snprintf(buf, sizeof buf, "%15.8E", values[5 * l + f]);
            line += buf;
        }
        line.resize(79, ' ');
        entry += line + static_cast<char>('2' + l) + "\n";
    }
    return entry;
}

std::string SmallThermo() {
    std::string text = "THERMO\n   300.000  1000.000  5000.000\n";
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, int>>>> species = {
        {"H", {{"H", 1}}},
        {"H2", {{"H", 2}}},
        {"O", {{"O", 1}}},
        {"O2", {{"O", 2}}},
        {"OH", {{"O", 1}, {"H", 1}}},
        {"H2O", {{"H", 2}, {"O", 1}}},
        {"HO2", {{"H", 1}, {"O", 2}}},
        {"H2O2", {{"H", 2}, {"O", 2}}},
        {"N2", {{"N", 2}}},
        {"AR", {{"AR", 1}}},
        {"CO", {{"C", 1}, {"O", 1}}},
        {"CO2", {{"C", 1}, {"O", 2}}},
        {"HE", {{"HE", 1}}},
        {"E", {{"E", 1}}},
        {"D2", {{"D", 2}}},
    };
    double seed = 1.0;
    for (const auto& [name, atoms] : species) text += ThermoEntry(name, atoms, 300.0, 5000.0, 1000.0, seed++);
    return text + "END\n";
}

CompileOutput CompileText(std::string_view mechanism, std::string_view thermo) {
    CompileOutput output;
    CompileInput input{mechanism, "mech.inp", thermo, "therm.dat"};
    CompileMechanism(input, output);
    return output;
}

CompileOutput CompileText(std::string_view mechanism) {
    static const std::string thermo = SmallThermo();
    return CompileText(mechanism, thermo);
}

BinaryImage Image(const CompileOutput& output) {
    BinaryImage image;
    std::string error;
    EXPECT_EQ(output.Status(), 0) << Errors(output);
    EXPECT_TRUE(ReadBinaryImage(output.binary, image, error)) << error;
    EXPECT_TRUE(image.atCleanEnd);
    return image;
}

std::string Mechanism(const std::string& species, const std::string& reactions, const std::string& units) {
    return "ELEMENTS H O N AR C HE E END\nSPECIES " + species + " END\nREACTIONS " + units + "\n" + reactions + "END\n";
}

std::string Errors(const CompileOutput& output) {
    std::string text;
    for (const std::string& e : output.diagnostics.Errors()) text += e + "\n";
    return text;
}

}  // namespace vantor::tolmar::testing
