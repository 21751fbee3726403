// vantor-cli run on a project with a Flame= and a PSR= line: both mechanisms get their transport
// binary and their cases, CMP.dat and the table set them side by side. Through stand-ins for the
// flame and stirred-reactor libraries (known values), and through the real ones when built.

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::CliResult;
using test::RunCli;
using test::TempDir;

const char* const kLibraries[] = {"libTolmar.so", "libPellor.so", "libSENKIN.so", "libKELDA.so",
                                  "libMORVA.so",  "libBRENA.so",  "libTOVIK.so"};

bool Built(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (!fs::exists(fs::path(VANTOR_BIN_DIR) / name)) return false;
    return true;
}

// The bundled GRI-Mech 3.0 example, in air and at one pressure and temperature to keep it short.
void WriteProject(const TempDir& dir, const std::string& caseLines) {
    for (const char* name : {"chem.inp", "therm.dat", "tran.dat"})
        fs::copy_file(fs::path(VANTOR_EXAMPLES_DIR) / "gri30" / name, dir.File(name));
    test::WriteText(dir.File("air.PRJ"), "PFAPROJ\r\nchem.inp\r\natm\r\n1.0\r\nK\r\n1200\r\n/\r\n0.98\r\n/\r\n0.0\r\n"
                                         "Tig\r\n2.0\r\n/\r\n20\r\ns\r\n1.0E+10\r\ns\r\n1.0E-8\r\n"
                                         "CH4 1, O2 2, N2 7.52\r\n" + caseLines);
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

TEST(CliReactorRun, StandInLibrariesGiveBothMechanismsCasesSideBySide) {
    if (!Built({std::begin(kLibraries), std::end(kLibraries)})) GTEST_SKIP() << "the libraries are not built";
    TempDir dir, libraries;
    for (const char* name : kLibraries) fs::create_symlink(fs::path(VANTOR_BIN_DIR) / name, libraries.File(name));
    for (const char* name : {"libPREMIX.so", "libPSR.so"})
        fs::create_symlink(fs::path(VANTOR_FAKE_REACTOR_DIR) / name, libraries.File(name));
    WriteProject(dir, "Flame=1 300 0.9 1.1\r\nPSR=2 300 1.0\r\n");
    const bool plots = fs::exists(fs::path(VANTOR_BIN_DIR) / "libVantorPlots.so");
    const CliResult r = RunCli(std::string("run air.PRJ --jobs 2") + (plots ? " --plot plots" : ""),
                               "cd " + Quoted(dir.Path()) + " && VANTOR_LIBRARY_DIR=" + Quoted(libraries.Path()) + " ");
    ASSERT_EQ(r.status, 0) << r.output;
    for (const char* name : {"Tran.bin", "New_Tran.bin", "FLAME.dat", "New_FLAME.dat", "PSR.dat", "New_PSR.dat"})
        EXPECT_TRUE(fs::exists(dir.File(name))) << name;
    for (const char* name : {"flame_speed.png", "flame_speed.svg"})
        if (plots) EXPECT_TRUE(fs::exists(dir.File("plots/" + std::string(name)))) << name;
    for (const char* step : {"Tran.bin generation", "New_Tran.bin generation", "Flame calculation",
                             "Flame calculation (reduced)", "Stirred-reactor calculation (reduced)"})
        EXPECT_NE(r.output.find(std::string("> ") + step + " is successful!"), std::string::npos) << step;
    EXPECT_NE(r.output.find("Largest flame-speed difference: 2.00 %"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Largest extinction-time difference: 2.00 %"), std::string::npos) << r.output;

    // The cases follow the ignition case, the phi-scaled mixtures in the project's order.
    const std::string report = test::ReadText(dir.File("CMP.dat"));
    const size_t ignition = report.find("===Case 1"), flame = report.find("===Flame 2"), psr = report.find("===PSR 1");
    ASSERT_NE(flame, std::string::npos) << report;
    ASSERT_NE(psr, std::string::npos) << report;
    EXPECT_LT(ignition, flame);
    EXPECT_LT(flame, psr);
    EXPECT_NE(report.find("P(atm)= 2.000000000000000E+00  Tin(K)= 3.000000000000000E+02"), std::string::npos);
    EXPECT_NE(report.find("\nDifference(%)= 2.0000000000000"), std::string::npos) << report;

    // The target search: the cases count for every candidate within target on its delays, and
    // the chosen mechanism's stand beside the detailed ones in its CMP.dat. A target below the
    // flames' 2 % leaves every run candidate outside.
    const std::string libraryDir = "cd " + Quoted(dir.Path()) + " && VANTOR_LIBRARY_DIR=" + Quoted(libraries.Path()) + " ";
    const CliResult search = RunCli("run air.PRJ --target-error 10 --no-species-removal", libraryDir);
    ASSERT_EQ(search.status, 0) << search.output;
    EXPECT_NE(search.output.find(": largest flame-speed difference 2.00 %"), std::string::npos) << search.output;
    EXPECT_NE(search.output.find("Largest extinction-time difference: 2.00 %"), std::string::npos) << search.output;
    EXPECT_NE(test::ReadText(dir.File("CMP.dat")).find("===PSR 1"), std::string::npos);
    const CliResult tight = RunCli("run air.PRJ --target-error 1.5 --no-species-removal", libraryDir);
    EXPECT_EQ(tight.output.find(", within target"), std::string::npos) << tight.output;
    EXPECT_NE(tight.output.find("largest flame-speed difference 2.00 %"), std::string::npos) << tight.output;

    // A case line whose library is missing stops the run before anything is computed.
    fs::remove(libraries.File("libPSR.so"));
    const CliResult missing = RunCli("run air.PRJ", "cd " + Quoted(dir.Path()) + " && VANTOR_LIBRARY_DIR=" +
                                                        Quoted(libraries.Path()) + " ");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("> Load libPSR.so failed!"), std::string::npos) << missing.output;
}

TEST(CliReactorRun, RealLibrariesGiveFlameSpeedAndExtinctionTime) {
    std::vector<std::string> all{std::begin(kLibraries), std::end(kLibraries)};
    all.insert(all.end(), {"libPREMIX.so", "libPSR.so"});
    if (!Built(all)) GTEST_SKIP() << "the flame and stirred-reactor libraries are not built";
    TempDir dir;
    WriteProject(dir, "Flame=1 300 1.0\r\nPSR=1 300 1.0\r\n");
    const CliResult r = RunCli("run air.PRJ --jobs 2", "cd " + Quoted(dir.Path()) + " && env -u VANTOR_LIBRARY_DIR ");
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string report = test::ReadText(dir.File("CMP.dat"));
    // Stoichiometric methane in air at 1 atm and 300 K burns at about 36-38 cm/s.
    const size_t at = report.find("Detailed chemistry: SL(cm/s)= ");
    ASSERT_NE(at, std::string::npos) << report;
    const double speed = std::strtod(report.c_str() + at + 30, nullptr);
    EXPECT_GT(speed, 30.0);
    EXPECT_LT(speed, 45.0);
    EXPECT_NE(report.find("Skeletal chemistry: SL(cm/s)= "), std::string::npos) << report;
    EXPECT_NE(report.find("Detailed chemistry: TauExt(s)= "), std::string::npos) << report;
}

}  // namespace
}  // namespace vantor
