// The ignition runs through mpirun on 1, 2 and 3 ranks of this machine write the standard data a
// single SENKIN run writes; a rank killed by a signal and a missing launcher fail the run cleanly;
// the target search through mpirun chooses the mechanism of the one-process search.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/core/cluster/launched_ignition.h"
#include "app/core/cluster/run_state.h"
#include "cli_runner.h"
#include "common/atomic_file.h"
#include "common/path_field.h"
#include "outside/senkin/ignition_run.h"
#include "senkin/senkin_test_support.h"

namespace vantor::senkin::testing {
namespace {

const std::string kProgram = std::string(VANTOR_BIN_DIR) + "/vantor-mpi-ignite";

bool MpirunAvailable() { return std::system("command -v mpirun > /dev/null 2>&1") == 0; }

std::string Mpirun(int ranks) {
    // Open MPI refuses to run as root unless told.
    return std::string("mpirun --oversubscribe") + (::geteuid() == 0 ? " --allow-run-as-root" : "") + " -n " +
           std::to_string(ranks);
}

void PlaceFiles(JobRecord& job, const std::string& binary, const std::filesystem::path& dir) {
    EncodePathField(binary, job.MechBinFile);
    EncodePathField((dir / "SAVE.dat").string(), job.SaveFile);
    EncodePathField((dir / "Out.dat").string(), job.OutFile);
    EncodePathField("chem.inp", job.InpFile);
}

std::string SingleProcessRun(JobRecord job, const std::string& binary, const std::string& name) {
    const auto dir = FreshFolder(name);
    PlaceFiles(job, binary, dir);
    int32_t status = 0;
    double progress = 0;
    EXPECT_EQ(RunSenkin(job, &status, &progress), kSenkinSuccessResult);
    return ReadText(dir / "SAVE.dat");
}

int32_t LaunchedRun(JobRecord job, const std::string& binary, const std::filesystem::path& dir,
                    const std::string& launcher, std::string& message, double* progressOut = nullptr) {
    PlaceFiles(job, binary, dir);
    int32_t status = 0;
    double progress = 0;
    const int32_t result = RunLaunchedIgnition({launcher, kProgram}, job, &status, &progress, &message);
    if (progressOut) *progressOut = progress;
    return status > 0 ? status : result;
}

void ExpectSameOnRanks(const JobRecord& job, const std::string& binary, const std::string& name) {
    const std::string single = SingleProcessRun(job, binary, name + "_one");
    ASSERT_FALSE(single.empty());
    for (int ranks = 1; ranks <= 3; ++ranks) {
        const auto dir = FreshFolder(name + "_" + std::to_string(ranks));
        std::string message;
        double progress = 0;
        ASSERT_EQ(LaunchedRun(job, binary, dir, Mpirun(ranks), message, &progress), kSenkinSuccessResult)
            << ranks << " rank(s): " << message << "\n" << ReadText(dir / "SAVE.dat.launch.txt");
        EXPECT_EQ(progress, 9999.0);
        EXPECT_TRUE(ReadText(dir / "SAVE.dat") == single) << ranks << " rank(s) wrote other standard data";
        EXPECT_NE(ReadText(dir / "Out.dat").find("Spread over " + std::to_string(ranks) + " MPI rank(s)"),
                  std::string::npos);
    }
}

const std::string& HeptaneBinary() {
    static const std::string path = [] {
        const auto dir = FreshFolder("nc7");
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/nc7_llnl/";
        const std::string bin = (dir / "Chem.bin").string();
        tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", bin, (dir / "tolmar.out").string());
        return bin;
    }();
    return path;
}

// Four stoichiometric n-heptane/air cases, five recorded states each, 0.5 ms long.
JobRecord HeptaneJob() {
    chem::Mechanism mechanism;
    std::ostringstream messages;
    mechanism.Load(HeptaneBinary(), messages);
    JobRecord job = MakeJob(mechanism, {10.0, 20.0}, {1200.0, 1400.0}, {{{"NC7H16", 1}, {"O2", 11}, {"N2", 41.36}}});
    job.EndTimeMode = 1;
    job.EndTime = 5e-4;
    job.NPoints = 5;
    return job;
}

#define SKIP_WITHOUT_MPIRUN() \
    if (!MpirunAvailable()) GTEST_SKIP() << "mpirun is not installed (Debian openmpi-bin)"

TEST(MpiIgnite, GriMechExampleIsByteIdenticalOnOneTwoAndThreeRanks) {
    SKIP_WITHOUT_MPIRUN();
    const chem::Mechanism gri = LoadGri();
    ExpectSameOnRanks(MakeJob(gri, {1.0, 2.0}, {1000.0, 1200.0}, {{{"CH4", 1}, {"O2", 2}}}), GriBinary(), "gri");
}

TEST(MpiIgnite, HeptaneSweepIsByteIdenticalOnOneTwoAndThreeRanks) {
    SKIP_WITHOUT_MPIRUN();
    ExpectSameOnRanks(HeptaneJob(), HeptaneBinary(), "nc7run");
}

TEST(MpiIgnite, RankKilledBySignalFailsTheRunAndKeepsTheOldFile) {
    SKIP_WITHOUT_MPIRUN();
    const auto dir = FreshFolder("killed");
    ASSERT_TRUE(WriteFileAtomically((dir / "SAVE.dat").string(), "good old standard data"));
    std::string message;
    int32_t status = 0;
    std::thread run([&] { status = LaunchedRun(HeptaneJob(), HeptaneBinary(), dir, Mpirun(2), message); });
    // Kill rank 1 as soon as rank 0 has named it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    bool killed = false;
    while (!killed && std::chrono::steady_clock::now() < deadline) {
        LaunchedRunState state;
        if (ReadRunState((dir / "SAVE.dat.state").string(), state) && state.ranks.size() == 2) {
            killed = ::kill(static_cast<pid_t>(state.ranks[1].pid), SIGKILL) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.join();
    ASSERT_TRUE(killed);
    EXPECT_EQ(status, kLaunchedRunLost) << message;
    EXPECT_NE(message.find("rank 1 (pid"), std::string::npos) << message;
    EXPECT_NE(message.find("cases 2, 4"), std::string::npos) << message;
    EXPECT_EQ(ReadText(dir / "SAVE.dat"), "good old standard data");
    EXPECT_NE(ReadText(dir / "Out.dat").find(message), std::string::npos);
}

// The target search of vantor-cli on GRI-Mech 3.0 (two cases) in a fresh folder, which it returns.
std::filesystem::path TargetSearch(const std::string& name, const std::string& options, int exitStatus) {
    const auto dir = FreshFolder(name);
    for (const char* file : {"chem.inp", "therm.dat"})
        std::filesystem::copy_file(std::string(VANTOR_TEST_DATA_DIR) + "/gri30/" + file, dir / file);
    std::ofstream(dir / "gri.PRJ") << "PFAPROJ\nchem.inp\natm\n1.0\nK\n1000,1200\n/\n0.98\n/\n0.0\nTig\n2.0\n/\n"
                                      "20\ns\n1.0E+10\ns\n1.0E-8\nCH4 1, O2 2\n";
    const test::CliResult run =
        test::RunCli("run " + (dir / "gri.PRJ").string() + " --target-error 10 --no-species-removal " + options);
    EXPECT_EQ(run.status, exitStatus) << run.output;
    return dir;
}

// Its NEW_Chem.inp without the line of the time stamp; `listing` gets the reduced test's listing.
std::string NewChemInp(const std::filesystem::path& dir, std::string& listing) {
    listing = ReadText(dir / "New_Out.dat");
    std::istringstream text(ReadText(dir / "NEW_Chem.inp"));
    std::string kept;
    for (std::string line; std::getline(text, line);)
        if (line.rfind("!Chemistry reduced by", 0) != 0) kept += line + "\n";
    return kept;
}

TEST(MpiIgnite, MissingLauncherFailsWithoutRunningAnything) {
    const auto dir = FreshFolder("nolauncher");
    std::string message;
    const JobRecord job = MakeJob(LoadGri(), {1.0}, {1200.0}, {{{"H2", 2}, {"O2", 1}}});
    EXPECT_EQ(LaunchedRun(job, GriBinary(), dir, "no-such-launcher -n 2", message), kLaunchNotStarted);
    EXPECT_EQ(message, "the launcher 'no-such-launcher' is not found");
    EXPECT_FALSE(std::filesystem::exists(dir / "SAVE.dat"));
    EXPECT_NE(ReadText(dir / "Out.dat").find(message), std::string::npos);
    EXPECT_EQ(LaunchedRun(job, GriBinary(), dir, "mpirun 'unclosed", message), kLaunchNotStarted);
    EXPECT_NE(message.find("unclosed single quote"), std::string::npos);
    // The search stops at its first runs and writes no mechanism.
    const auto search = TargetSearch("search_nolauncher", "--launcher no-such-launcher", 1);
    EXPECT_FALSE(std::filesystem::exists(search / "NEW_Chem.inp"));
}

TEST(MpiIgnite, TargetSearchOnTwoRanksWritesTheMechanismOfOneProcess) {
    SKIP_WITHOUT_MPIRUN();
    std::string oneListing, twoListing;
    const std::string one = NewChemInp(TargetSearch("search_one", "", 0), oneListing);
    const std::string two = NewChemInp(TargetSearch("search_two", "--launcher '" + Mpirun(2) + "'", 0), twoListing);
    ASSERT_NE(one.find("!Candidates tried="), std::string::npos) << one;
    EXPECT_TRUE(one == two) << "one process:\n" << one << "\ntwo ranks:\n" << two;
    EXPECT_EQ(oneListing.find("MPI rank"), std::string::npos);
    EXPECT_NE(twoListing.find("Spread over 2 MPI rank(s)"), std::string::npos) << twoListing;
}

}  // namespace
}  // namespace vantor::senkin::testing
