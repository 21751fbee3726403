#include "app/core/cluster/launched_ignition.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "app/core/cluster/launcher_command.h"
#include "app/core/cluster/run_state.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/job_record_file.h"
#include "common/path_field.h"

extern char** environ;

namespace vantor {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(200);
constexpr int32_t kIgnitionSuccess = 10108;
constexpr int kOutputLinesShown = 6;

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" -") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

// The launcher's own words about a process that ended ("... process rank 1 with PID ... exited
// on signal 9 (Killed)."), or "".
std::string RankLine(const std::vector<std::string>& output, int& rank) {
    for (const std::string& line : output) {
        const size_t at = line.find("process rank ");
        if (at == std::string::npos) continue;
        rank = std::atoi(line.c_str() + at + 13);
        return line.substr(line.find_first_not_of(' '));
    }
    return "";
}

std::string HowEnded(int waitStatus) {
    if (WIFSIGNALED(waitStatus)) {
        return "the launcher ended on signal " + std::to_string(WTERMSIG(waitStatus)) + " (" +
               strsignal(WTERMSIG(waitStatus)) + ")";
    }
    return "the launcher ended with exit status " + std::to_string(WEXITSTATUS(waitStatus));
}

// Why a run ended without its outcome: the rank the launcher names, else the ranks whose
// results had not all arrived, else what the launcher printed.
std::string LostRunMessage(int waitStatus, const LaunchedRunState& state, const std::string& outputPath) {
    const std::vector<std::string> output = ReadLines(outputPath);
    std::string message = HowEnded(waitStatus);
    int rank = -1;
    const std::string rankLine = RankLine(output, rank);
    for (const RankEntry& r : state.ranks) {
        if (r.rank == rank) return message + ": " + DescribeRank(r) + " failed: " + rankLine;
    }
    std::string missing;
    for (const RankEntry& r : state.ranks) {
        bool delivered = false;
        for (const int d : state.delivered) delivered = delivered || d == r.rank;
        if (!delivered) missing += (missing.empty() ? "" : ", ") + DescribeRank(r);
    }
    if (!missing.empty()) message += "; no results from " + missing;
    if (!rankLine.empty()) message += "; " + rankLine;
    if (state.ranks.empty()) {
        const size_t first = output.size() > kOutputLinesShown ? output.size() - kOutputLinesShown : 0;
        for (size_t i = first; i < output.size(); ++i) message += (i == first ? ": " : " / ") + output[i];
    }
    return message + " (launcher output in " + outputPath + ")";
}

// The listing of a run that never gave its own: the failure, so the run's diagnostics stay in
// the listing as for every ignition run.
void WriteFailureListing(const std::string& listing, const std::string& message) {
    if (listing.empty()) return;
    WriteFileAtomically(listing, " SENKIN: homogeneous ignition runs over MPI ranks\r\n * ERROR: " + message + "\r\n");
}

// The launcher as the system would find it: a path as given, a bare name along PATH.
bool LauncherExists(const std::string& name) {
    if (name.find('/') != std::string::npos) return ::access(name.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (::access(((folder.empty() ? "." : folder) + "/" + name).c_str(), X_OK) == 0) return true;
    }
    return false;
}

// The process id of rank 0 of an earlier run whose state file is still there, when that run has
// not ended and its rank 0 still lives on this host; else 0 (its state may go).
long LiveEarlierRun(const std::string& statePath) {
    LaunchedRunState earlier;
    if (!ReadRunState(statePath, earlier) || earlier.ended || earlier.ranks.empty()) return 0;
    const RankEntry& zero = earlier.ranks.front();
    char host[256] = {};
    if (zero.pid <= 0 || ::gethostname(host, sizeof host - 1) != 0 || zero.host != host) return 0;
    return ::kill(static_cast<pid_t>(zero.pid), 0) == 0 || errno == EPERM ? zero.pid : 0;
}

int32_t Fail(int32_t* status, std::string* out, int32_t code, const std::string& message, const std::string& listing) {
    WriteFailureListing(listing, message);
    if (out) *out = message;
    StoreStatus(status, code);
    return 0;
}

}  // namespace

LaunchFiles LaunchFilesFor(const std::string& standardData) {
    return {standardData + ".job", standardData + ".state", standardData + ".launch.txt"};
}

int32_t RunLaunchedIgnition(const IgnitionLauncher& launcher, const JobRecord& job, int32_t* status,
                            double* progress, std::string* message) {
    StoreStatus(status, 0);
    StoreProgress(progress, 0.0);
    const std::string standardData = DecodePathField(job.SaveFile);
    const std::string listing = DecodePathField(job.OutFile);
    if (standardData.empty() || listing.empty()) {
        return Fail(status, message, kLaunchNotStarted, "the job record names no standard-data or listing file",
                    listing);
    }
    std::vector<std::string> words;
    std::string error;
    if (!SplitCommandWords(launcher.command, words, error)) {
        return Fail(status, message, kLaunchNotStarted, error, listing);
    }
    if (!LauncherExists(words[0])) {
        return Fail(status, message, kLaunchNotStarted, "the launcher '" + words[0] + "' is not found", listing);
    }
    if (::access(launcher.program.c_str(), X_OK) != 0) {
        return Fail(status, message, kLaunchNotStarted,
                    "the program " + launcher.program + " is not there (built without MPI?): " + std::strerror(errno),
                    listing);
    }
    const LaunchFiles files = LaunchFilesFor(standardData);
    if (const long owner = LiveEarlierRun(files.state)) {  // its listing is left to it
        return Fail(status, message, kLaunchNotStarted,
                    "an earlier run of " + standardData + " still runs (rank 0 is pid " + std::to_string(owner) +
                        ", state in " + files.state + ")",
                    "");
    }
    std::error_code ignored;
    std::filesystem::remove(files.state, ignored);
    if (!WriteJobRecordFile(files.job, job, &error)) {
        return Fail(status, message, kLaunchNotStarted, "the job record file cannot be written: " + error, listing);
    }
    for (const char* word : {"--job", files.job.c_str(), "--state", files.state.c_str()}) words.push_back(word);
    words.insert(words.end() - 4, launcher.program);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    // A link planted at the launcher's output is removed, never written through.
    if (!ReplacedLinkNotice(files.output).empty()) ::unlink(files.output.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, files.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::filesystem::remove(files.job, ignored);
        const std::string why = spawned == ENOENT ? "is not found" : std::string("cannot start: ") + std::strerror(spawned);
        return Fail(status, message, kLaunchNotStarted, "the launcher '" + words[0] + "' " + why, listing);
    }

    LaunchedRunState state;
    int waitStatus = 0;
    for (;;) {
        const pid_t ended = ::waitpid(pid, &waitStatus, WNOHANG);
        if (ReadRunState(files.state, state) && state.progress >= 0.0 && !state.ended) {
            StoreProgress(progress, state.progress);
        }
        if (ended == pid || (ended < 0 && errno != EINTR)) break;
        std::this_thread::sleep_for(kPollInterval);
    }
    ReadRunState(files.state, state);
    // The run is over whatever its outcome (a killed rank included): its files go with it.
    std::filesystem::remove(files.job, ignored);
    std::filesystem::remove(files.state, ignored);
    if (state.ended && state.status == 0 && WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == 0) {
        StoreProgress(progress, kProgressFinished);
        return kIgnitionSuccess;
    }
    if (state.ended && state.status > 0) {  // the run's own failure, already in its listing
        if (message) *message = state.message;
        StoreStatus(status, state.status);
        return 0;
    }
    return Fail(status, message, kLaunchedRunLost, LostRunMessage(waitStatus, state, files.output), listing);
}

}  // namespace vantor
