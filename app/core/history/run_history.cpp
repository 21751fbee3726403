#include "app/core/history/run_history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "common/atomic_file.h"
#include "common/fixed_names.h"
#include "common/run_folder.h"

namespace vantor::history {

namespace {

constexpr int kMostSameMinute = 1000;

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Reads a regular file without following a link at its name. A missing source has nothing to
// keep; a refused one (a link, a device, a pipe) is named in a notice; only a failed read fails.
enum class Read { kOk, kMissing, kRefused, kFailed };
Read ReadRegular(const std::string& path, std::string& content, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return Read::kMissing;
        why = path + (errno == ELOOP ? " is a symbolic link: not kept" : ": " + std::string(std::strerror(errno)));
        return errno == ELOOP ? Read::kRefused : Read::kFailed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = path + " is not a regular file: not kept";
        return Read::kRefused;
    }
    content.clear();
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            why = "cannot read " + path + ": " + std::strerror(errno);
            ::close(fd);
            return Read::kFailed;
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return Read::kOk;
}

// A new folder `base`, or `base_2`, `base_3`, ...: mkdir fails on anything already there, a link
// included, so an earlier run's folder is never entered.
bool MakeNewFolder(const std::string& base, std::string& made, std::string& error) {
    for (int n = 1; n <= kMostSameMinute; ++n) {
        const std::string path = n == 1 ? base : base + "_" + std::to_string(n);
        if (::mkdir(path.c_str(), 0777) == 0) {
            made = path;
            return true;
        }
        if (errno != EEXIST) {
            error = "cannot make " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    error = "cannot make " + base + ": " + std::to_string(kMostSameMinute) + " folders of that name exist";
    return false;
}

}  // namespace

std::string RunFolderName(std::chrono::system_clock::time_point when, const std::string& label) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local {};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M", &local);
    std::string name = stamp;
    if (!label.empty()) name += "_";
    for (const char c : label) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name;
}

bool AddToRun(const std::string& folder, const std::vector<std::string>& files, std::string& error,
              std::vector<std::string>* notices) {
    for (const std::string& source : files) {
        const std::string target = JoinPath(folder, BaseName(source));
        if (Exists(target)) continue;
        std::string content, why;
        switch (ReadRegular(source, content, why)) {
            case Read::kMissing: continue;
            case Read::kRefused:
                if (notices) notices->push_back(why);
                continue;
            case Read::kFailed: error = why; return false;
            case Read::kOk: break;
        }
        if (!WriteFileAtomically(target, content, &error)) return false;
    }
    return true;
}

KeptRun KeepRun(const std::string& workDirectory, const std::string& label, const std::vector<std::string>& files,
                const RunSummary& summary, std::chrono::system_clock::time_point when) {
    KeptRun kept;
    const std::string history = JoinPath(workDirectory, kHistoryFolderName);
    if (std::string why; !MakeRunFolder(history, &why)) {
        kept.error = "cannot use " + history + (why.empty() ? "" : ": " + why);
        return kept;
    }
    if (!MakeNewFolder(JoinPath(history, RunFolderName(when, label)), kept.folder, kept.error)) return kept;
    if (!AddToRun(kept.folder, files, kept.error, &kept.notices)) return kept;
    kept.ok = WriteFileAtomically(JoinPath(kept.folder, kSummaryFileName), FormatRunSummary(summary) + "\r\n",
                                  &kept.error);
    return kept;
}

std::vector<HistoryEntry> ListRuns(const std::string& workDirectory) {
    namespace fs = std::filesystem;
    std::vector<HistoryEntry> runs;
    const fs::path history = fs::path(workDirectory) / kHistoryFolderName;
    std::error_code ec;
    if (fs::is_symlink(history, ec) || !fs::is_directory(history, ec)) return runs;
    for (const fs::directory_entry& entry : fs::directory_iterator(history, ec)) {
        if (entry.is_symlink(ec) || !entry.is_directory(ec)) continue;
        std::string content, why;
        if (ReadRegular((entry.path() / kSummaryFileName).string(), content, why) != Read::kOk) continue;
        const std::string line = content.substr(0, content.find_first_of("\r\n"));
        if (const auto summary = ParseRunSummary(line))
            runs.push_back({entry.path().string(), entry.path().filename().string(), *summary});
    }
    std::sort(runs.begin(), runs.end(), [](const HistoryEntry& a, const HistoryEntry& b) { return a.name < b.name; });
    return runs;
}

std::string KeptRunLine(const KeptRun& kept) {
    if (kept.ok) return "> Results kept in " + kept.folder;
    return "<E> The run history could not be kept (the run itself succeeded): " + kept.error;
}

}  // namespace vantor::history
