// vantor-cli run as a user calls it: bad command lines and bad projects fail with a clear
// message and status, and the bundled example runs end to end when the libraries are built.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <optional>
#include <filesystem>

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

using test::CliResult;
using test::RunCli;

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// Files of the names of the five libraries that record being loaded in the current folder.
void PlantLibraries(const TempDir& dir) {
    for (const char* name : {"libTolmar.so", "libPellor.so", "libSENKIN.so", "libKELDA.so", "libMORVA.so", "libBRENA.so", "libTOVIK.so"})
        fs::copy_file(VANTOR_PLANTED_LIBRARY, dir.File(name));
}

void CopyExample(const TempDir& dir) {
    for (const char* name : {"chem.inp", "therm.dat", "tran.dat", "gri30.PRJ"})
        fs::copy_file(fs::path(VANTOR_EXAMPLES_DIR) / "gri30" / name, dir.File(name));
}

// The number that follows `label` in the output, if any.
std::optional<double> NumberAfter(const std::string& output, const std::string& label) {
    const size_t at = output.find(label);
    if (at == std::string::npos) return std::nullopt;
    return std::strtod(output.c_str() + at + label.size(), nullptr);
}

TEST(CliRun, CommandLineErrorsGiveUsage) {
    for (const char* args : {"run", "run a.PRJ b.PRJ", "run a.PRJ --method xyz", "run a.PRJ --jobs 0",
                             "run a.PRJ --jobs many", "run a.PRJ --colour red", "run a.PRJ --plot",
                             "run a.PRJ --target-error 0", "run a.PRJ --target-error ten"}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.output;
        EXPECT_NE(r.output.find("Usage: vantor-cli run PROJECT.PRJ"), std::string::npos) << args;
    }
    EXPECT_EQ(RunCli("run --help").status, 0);
}

TEST(CliRun, BadProjectsStopWithAnErrorLine) {
    TempDir dir;
    test::WriteText(dir.File("empty.PRJ"), "\r\nchem.inp\r\n");
    test::WriteText(dir.File("nomech.PRJ"), "PFAPROJ\r\n\r\natm\r\n1.0\r\n");
    test::WriteText(dir.File("gone.PRJ"), "PFAPROJ\r\nmissing/chem.inp\r\n");
    const struct {
        std::string project;
        std::string expected;
    } cases[] = {
        {dir.File("absent.PRJ"), "absent.PRJ"},
        {dir.File("empty.PRJ"), "is not a project file"},
        {dir.File("nomech.PRJ"), "names no mechanism file"},
        {dir.File("gone.PRJ"), "chem.inp"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli("run " + Quoted(c.project));
        EXPECT_EQ(r.status, 1) << c.project << "\n" << r.output;
        EXPECT_NE(r.output.find("<E> "), std::string::npos) << r.output;
        EXPECT_NE(r.output.find(c.expected), std::string::npos) << r.output;
    }
    EXPECT_FALSE(fs::exists(dir.File("CMP.dat")));
}

bool LibrariesBuilt() {
    for (const char* name : {"libTolmar.so", "libPellor.so", "libSENKIN.so", "libKELDA.so", "libMORVA.so", "libBRENA.so", "libTOVIK.so"})
        if (!fs::exists(fs::path(VANTOR_BIN_DIR) / name)) return false;
    return true;
}

TEST(CliRun, NamedLibraryFolderIsUsedAndAnnounced) {
    TempDir dir, libraries;
    CopyExample(dir);
    PlantLibraries(libraries);
    const CliResult r = RunCli("run gri30.PRJ", "cd " + Quoted(dir.Path()) + " && VANTOR_LIBRARY_DIR=" +
                                                    Quoted(libraries.Path()) + " ");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("> Libraries loaded from " + libraries.Path() + "\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("> Cannot locate procedure in libTolmar.so!"), std::string::npos) << r.output;
    EXPECT_TRUE(fs::exists(dir.File("planted_library_was_loaded")));
}

// The kept names of a reduced mechanism's species section (removed ones stand commented out).
std::set<std::string> KeptSpecies(const std::string& mechanism) {
    std::istringstream in(mechanism);
    std::set<std::string> names;
    bool inSpecies = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "SPECIES") inSpecies = true;
        else if (word == "END") inSpecies = false;
        else if (inSpecies && word[0] != '!')
            for (names.insert(word); words >> word;) names.insert(word);
    }
    return names;
}

// The species of a thermo file's entries (line 1 marked in column 80), or of a transport file's lines.
std::set<std::string> DataNames(const std::string& text, bool thermo) {
    std::istringstream in(text);
    std::set<std::string> names;
    for (std::string line; std::getline(in, line);) {
        if (thermo && (line.size() < 80 || line[79] != '1')) continue;
        std::string word;
        if (std::istringstream(line) >> word) names.insert(word);
    }
    return names;
}

TEST(CliRun, BundledExampleRunsEndToEnd) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    TempDir dir;
    CopyExample(dir);
    // Started in the project's folder, which also holds library files of the same names.
    PlantLibraries(dir);
    // The plot library comes with the desktop program; builds without it run without --plot.
    const bool plots = fs::exists(fs::path(VANTOR_BIN_DIR) / "libVantorPlots.so");
    const CliResult r = RunCli(std::string("run gri30.PRJ --jobs 2 --keep \"AR, XYZ\"") + (plots ? " --plot plots" : ""),
                               "cd " + Quoted(dir.Path()) + " && env -u VANTOR_LIBRARY_DIR ");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_FALSE(fs::exists(dir.File("planted_library_was_loaded")));
    EXPECT_EQ(r.output.find("> Libraries loaded from"), std::string::npos);
    for (const char* name : {"chem.bin", "SAVE.dat", "SP.TRM", "NEW_Chem.inp", "New_Chem.bin", "New_SAVE.dat",
                             "CMP.dat"})
        EXPECT_TRUE(fs::exists(dir.File(name))) << name;
    for (const char* step : {"Tolmar data generation", "Standard data calculation", "PFA calculation",
                             "New Chemistry generation", "Reduced chemistry test"})
        EXPECT_NE(r.output.find(std::string("> ") + step + " is successful!"), std::string::npos) << step;
    EXPECT_NE(r.output.find("> Comparison data generation completed!"), std::string::npos);

    const auto kept = NumberAfter(r.output, "Species kept: ");
    ASSERT_TRUE(kept) << r.output;
    EXPECT_LT(*kept, 53);
    EXPECT_GT(*kept, 5);
    EXPECT_NE(r.output.find(" of 53; reactions kept: "), std::string::npos);
    EXPECT_NE(r.output.find(" of 325\n"), std::string::npos);
    const auto largest = NumberAfter(r.output, "Largest ignition-delay difference: ");
    ASSERT_TRUE(largest) << r.output;
    EXPECT_LT(*largest, 10.0);
    const std::string report = test::ReadText(dir.File("CMP.dat"));
    EXPECT_NE(report.find("===Case 4"), std::string::npos);
    // Without flame or stirred-reactor lines the run computes, loads and reports none.
    EXPECT_EQ(report.find("===Flame"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.File("Tran.bin")) || fs::exists(dir.File("FLAME.dat")));
    EXPECT_EQ(r.output.find("libPREMIX.so"), std::string::npos);

    // The reduced data files hold the kept species exactly, and suffice to compile the mechanism.
    const std::set<std::string> species = KeptSpecies(test::ReadText(dir.File("NEW_Chem.inp")));
    EXPECT_EQ(species.size(), static_cast<size_t>(*kept));
    // --keep: AR stays whatever the engine found, XYZ is named; the runs are kept in the history.
    EXPECT_TRUE(species.count("AR"));
    EXPECT_NE(r.output.find("> Species to keep not in the mechanism, left out: XYZ"), std::string::npos);
    size_t keptRuns = 0;
    for (const auto& run : fs::directory_iterator(dir.File("runs"))) {
        ++keptRuns;
        EXPECT_NE(test::ReadText((run.path() / "summary.txt").string()).find("\tkeep=AR"), std::string::npos);
    }
    EXPECT_EQ(keptRuns, 2u);
    const std::string thermo = test::ReadText(dir.File("NEW_Therm.dat"));
    EXPECT_EQ(DataNames(thermo, true), species);
    EXPECT_EQ(thermo.rfind("THERMO\r\n   300.000  1000.000  5000.000\r\n", 0), 0u);
    EXPECT_EQ(DataNames(test::ReadText(dir.File("NEW_Tran.dat")), false), species);
    const CliResult compiled = RunCli("compile NEW_Chem.inp NEW_Therm.dat -o R.bin", "cd " + Quoted(dir.Path()) + " && ");
    EXPECT_EQ(compiled.status, 0) << compiled.output;

    // The error table: a row per case, and its worst difference is the one the summary printed.
    const std::string table = test::ReadText(dir.File("CMP_errors.csv"));
    EXPECT_NE(table.find("\n4,\"CH4 1, O2 2\",2,1200,"), std::string::npos) << table;
    double worst = 0.0;
    for (const char* group : {"\nP atm,1,", "\nP atm,2,"}) {
        const size_t at = table.find(group);
        ASSERT_NE(at, std::string::npos) << group << table;
        worst = std::max(worst, std::strtod(table.c_str() + at + std::strlen(group), nullptr));
    }
    EXPECT_NEAR(worst, std::fabs(*largest), 0.006);
    EXPECT_NE(table.find("\nmixture,\"CH4 1, O2 2\","), std::string::npos);
    if (!plots) return;
    // Delay, parity, 4 temperature histories, and 4 each of CH4, O2, CO, OH and H2O.
    EXPECT_NE(r.output.find("> 52 plot files (PNG and SVG) written to "), std::string::npos) << r.output;
    for (const char* name : {"delay.png", "delay.svg", "parity.svg", "history_case_1.png", "history_case_4.svg",
                             "species_CH4_case_1.png", "species_OH_case_4.svg"}) {
        const std::string path = dir.File("plots/" + std::string(name));
        EXPECT_TRUE(fs::exists(path) && fs::file_size(path) > 1000) << name;
    }
}

TEST(CliRun, TargetErrorSearchWithEachMethod) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    for (const char* method : {"pfa", "ecf", "drg", "drgep"}) {
        SCOPED_TRACE(method);
        TempDir dir;
        CopyExample(dir);
        const CliResult r = RunCli(std::string("run gri30.PRJ --jobs 2 --target-error 10 --no-species-removal --method ") +
                                       method + (std::string(method) == "drgep" ? " --targets CO2,h2o" : ""),
                                   "cd " + Quoted(dir.Path()) + " && ");
        ASSERT_EQ(r.status, 0) << r.output;
        std::string name = method;
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_NE(r.output.find("% (" + name + ") start"), std::string::npos) << r.output;
        const auto kept = NumberAfter(r.output, "species kept: ");
        const auto largest = NumberAfter(r.output, "largest ignition-delay difference: ");
        ASSERT_TRUE(kept && largest) << r.output;
        EXPECT_LT(*kept, 53);
        EXPECT_LE(std::fabs(*largest), 10.0);
        if (name == "DRGEP") {
            const std::set<std::string> species = KeptSpecies(test::ReadText(dir.File("NEW_Chem.inp")));
            EXPECT_TRUE(species.count("CO2") && species.count("H2O"));
        }
    }
}

}  // namespace
}  // namespace vantor
