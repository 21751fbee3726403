// A folder from elsewhere that holds links where outputs go, temporaries of killed runs, and the
// state of an earlier launched run: no write follows a link out of the folder, only dead
// processes' leftovers are removed, and a launched run cleans up after itself.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/core/cluster/launched_ignition.h"
#include "app/core/cluster/run_state.h"
#include "common/atomic_file.h"
#include "common/path_field.h"
#include "common/run_folder.h"
#include "faults/write_faults.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using faults::Folder;
using faults::ReadText;
using faults::WriteText;

// A process id that no longer exists.
pid_t DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(HostileFolder, LinkedOutputsAreReplacedAndTheirTargetsKept) {
    Folder dir("links");
    const std::string victim = dir.Path("victim"), out = dir.Path("Out.dat");
    WriteText(victim, "precious");
    fs::create_symlink("victim", out);
    std::string error, notice;
    EXPECT_TRUE(CheckWritable(out, &error)) << error;
    ASSERT_TRUE(WriteFileAtomically(out, std::string_view("listing"), &error, &notice)) << error;
    EXPECT_FALSE(fs::is_symlink(out));
    EXPECT_EQ(ReadText(out), "listing");
    EXPECT_EQ(ReadText(victim), "precious");
    EXPECT_EQ(notice, out + " is a symbolic link to victim: it is replaced by a regular file and victim is left untouched");

    // A link to a folder or to nothing is replaced too; one to a device is written through.
    const std::string toFolder = dir.Path("SAVE.dat"), dangling = dir.Path("chem.bin"), toNull = dir.Path("null");
    fs::create_symlink(dir.Root(), toFolder);
    fs::create_symlink(dir.Path("absent"), dangling);
    fs::create_symlink("/dev/null", toNull);
    for (const std::string& path : {toFolder, dangling}) {
        EXPECT_TRUE(WriteFileAtomically(path, std::string_view("x"), &error, &notice)) << error;
        EXPECT_EQ(ReadText(path), "x");
        EXPECT_FALSE(notice.empty());
    }
    EXPECT_FALSE(fs::exists(dir.Path("absent")));
    EXPECT_TRUE(WriteFileAtomically(toNull, std::string_view("x"), &error, &notice));
    EXPECT_TRUE(fs::is_symlink(toNull));
    EXPECT_TRUE(notice.empty());
    EXPECT_TRUE(faults::Leftovers(dir.Root()).empty());
}

TEST(HostileFolder, OnlyTemporariesOfDeadProcessesForTheWrittenFileAreRemoved) {
    Folder dir("leftovers");
    const std::string dead = std::to_string(DeadPid()), live = std::to_string(::getppid());
    const std::string removed = dir.Path("SAVE.dat.tmp" + dead + "-0");
    const std::vector<std::string> kept = {dir.Path("SAVE.dat.tmp" + live + "-3"),  // a live process's
                                           dir.Path("SAVE.dat.tmp" + dead + "-x"),  // not our pattern
                                           dir.Path("SAVE.dat.tmp" + dead),         // nor this
                                           dir.Path("Out.dat.tmp" + dead + "-0")};  // another file's
    WriteText(removed, "half");
    for (const std::string& path : kept) WriteText(path, "other");
    ASSERT_TRUE(WriteFileAtomically(dir.Path("SAVE.dat"), std::string_view("data")));
    EXPECT_FALSE(fs::exists(removed));
    for (const std::string& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
}

TEST(HostileFolder, RunFolderThatIsALinkIsRefused) {
    Folder dir("trg");
    Folder elsewhere("trg_elsewhere");
    std::string reason;
    EXPECT_TRUE(MakeRunFolder(dir.Path("TRG"), &reason)) << reason;
    EXPECT_TRUE(fs::is_directory(dir.Path("TRG")));
    EXPECT_TRUE(MakeRunFolder(dir.Path("TRG"), &reason)) << reason;  // an existing folder is used
    fs::create_symlink(elsewhere.Root(), dir.Path("TRG2"));
    EXPECT_FALSE(MakeRunFolder(dir.Path("TRG2"), &reason));
    EXPECT_NE(reason.find("symbolic link to " + elsewhere.Root()), std::string::npos) << reason;
    WriteText(dir.Path("TRG3"), "a file");
    EXPECT_FALSE(MakeRunFolder(dir.Path("TRG3"), &reason));
    EXPECT_EQ(reason, "Not a directory");
}

// A launcher that stands in for mpirun: it writes the state rank 0 would (ranks named, not
// ended) and ends as a killed rank makes it end.
std::string FakeLauncher(const Folder& dir) {
    const std::string script = dir.Path("launcher.sh");
    WriteText(script, "#!/bin/sh\nwhile [ \"$1\" != --state ]; do shift; done\n"
                      "printf 'ranks 1\\nrank 0 pid 1 cases 1 host elsewhere\\n' > \"$2\"\n"
                      "echo 'process rank 0 with PID 1 exited on signal 9 (Killed).'\nexit 137\n");
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

int32_t Launch(const Folder& dir, std::string& message) {
    JobRecord job{};
    EncodePathField(dir.Path("SAVE.dat"), job.SaveFile);
    EncodePathField(dir.Path("Out.dat"), job.OutFile);
    int32_t status = 0;
    double progress = 0;
    RunLaunchedIgnition({FakeLauncher(dir), "/bin/true"}, job, &status, &progress, &message);
    return status;
}

TEST(HostileFolder, LaunchedRunRemovesItsStateAndNeverWritesThroughALinkedLog) {
    Folder dir("launched");
    const LaunchFiles files = LaunchFilesFor(dir.Path("SAVE.dat"));
    WriteText(dir.Path("victim"), "precious");
    fs::create_symlink("victim", files.output);
    std::string message;
    EXPECT_EQ(Launch(dir, message), kLaunchedRunLost);
    EXPECT_NE(message.find("rank 0 (pid 1"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(files.state));
    EXPECT_FALSE(fs::exists(files.job));
    EXPECT_EQ(ReadText(dir.Path("victim")), "precious");
    EXPECT_NE(ReadText(files.output).find("exited on signal 9"), std::string::npos);

    // An earlier run's state: kept, and the new run refused, while its rank 0 lives here.
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    LaunchedRunState earlier;
    earlier.ranks.push_back({0, static_cast<long>(::getpid()), host, {1}});
    WriteText(files.state, FormatRunState(earlier));
    EXPECT_EQ(Launch(dir, message), kLaunchNotStarted);
    EXPECT_NE(message.find("still runs (rank 0 is pid " + std::to_string(::getpid())), std::string::npos) << message;
    EXPECT_TRUE(fs::exists(files.state));
    earlier.ranks[0].pid = DeadPid();
    WriteText(files.state, FormatRunState(earlier));
    EXPECT_EQ(Launch(dir, message), kLaunchedRunLost) << message;
    EXPECT_FALSE(fs::exists(files.state));
}

}  // namespace
}  // namespace vantor
