// Runs of vantor-cli that fail partway: the work folder never pairs a new reduced mechanism with
// the comparison of an earlier one, and a library failure shows the reason from its listing.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "faults/write_faults.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using faults::Folder;
using faults::LibrariesBuilt;
using faults::ReadText;
using test::CliResult;
using test::RunCli;

// One case of the bundled GRI-Mech 3.0 example with `points` recorded states.
void CopyOneCaseExample(const Folder& dir, const std::string& points) {
    const fs::path example = fs::path(VANTOR_EXAMPLES_DIR) / "gri30";
    for (const char* name : {"chem.inp", "therm.dat", "tran.dat"}) fs::copy_file(example / name, dir.Path(name));
    faults::WriteText(dir.Path("run.PRJ"),
                      "PFAPROJ\r\nchem.inp\r\natm\r\n1.0\r\nK\r\n1400\r\n/\r\n0.98\r\n/\r\n0.0\r\nTig\r\n2.0\r\n/\r\n" +
                          points + "\r\ns\r\n1.0E+10\r\ns\r\n1.0E-8\r\nCH4 1, O2 2\r\n");
}

TEST(ResultSetFaults, AReducedTestThatCannotWriteLeavesNoEarlierComparison) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    Folder dir("earlier_results");
    CopyOneCaseExample(dir, "5");
    for (const char* name : {"CMP.dat", "CMP_errors.csv", "New_Chem.bin", "NEW_Chem.inp"})
        faults::WriteText(dir.Path(name), "earlier");
    fs::create_directory(dir.Path("New_SAVE.dat"));  // the reduced test's standard data cannot be written
    const CliResult r = RunCli("run '" + dir.Path("run.PRJ") + "' --jobs 1");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("<E> Cannot write " + dir.Path("New_SAVE.dat")), std::string::npos) << r.output;
    EXPECT_NE(ReadText(dir.Path("NEW_Chem.inp")).find("!Chemistry reduced by PFA @"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.Path("CMP.dat")));
    EXPECT_FALSE(fs::exists(dir.Path("CMP_errors.csv")));
}

TEST(ResultSetFaults, AFullDiskDuringTheIgnitionRunsShowsTheListingsReason) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    Folder dir("save_too_large");
    CopyOneCaseExample(dir, "2000");  // about 1.8 MB of standard data, under 60 kB for the rest
    const CliResult r = RunCli("run '" + dir.Path("run.PRJ") + "' --jobs 1", "trap '' XFSZ; ulimit -f 1024; ");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("<E> Run standard procedure failed\n> Something wrrong #4106 ,please check out.dat file.\n"
                            "> " + dir.Path("Out.dat") +
                            ": * ERROR: the standard data cannot be written: cannot write " + dir.Path("SAVE.dat") +
                            ": File too large\n"),
              std::string::npos)
        << r.output;
}

}  // namespace
}  // namespace vantor
