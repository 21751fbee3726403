#include "common/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vantor {
namespace {

constexpr size_t kBufferSize = 64 * 1024;

std::string Reason(const char* what, const std::string& path, int err) {
    return std::string(what) + " " + path + ": " + std::strerror(err);
}

bool IsSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Written through like the device itself: /dev/stdout and /dev/fd/N are links.
bool LinksToDeviceOrPipe(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode));
}

// The process of a temporary `NAME.tmpPID-N` named by `suffix` ("PID-N"), or 0 when the name is
// not of that form.
pid_t TemporaryOwner(const char* suffix) {
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(suffix, &end, 10);
    if (errno != 0 || end == suffix || *end != '-' || pid <= 0 || pid > INT_MAX ||
        !std::isdigit(static_cast<unsigned char>(*suffix)))
        return 0;
    const char* counter = end + 1;
    if (*counter == '\0') return 0;
    for (; *counter != '\0'; ++counter)
        if (!std::isdigit(static_cast<unsigned char>(*counter))) return 0;
    return static_cast<pid_t>(pid);
}

// Removes the temporaries of `path` left by processes that were killed mid-write (a signal, a
// file-size limit). A process that lives keeps its temporary, whoever it is.
void RemoveDeadTemporaries(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        const pid_t owner = TemporaryOwner(entry->d_name + prefix.size());
        if (owner == 0 || owner == ::getpid()) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;  // alive, or not ours to ask: kept
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// A new file beside `target` that no one else uses; -1 with errno on failure. The mode is that
// of a new file (the process's umask applies).
int CreateSibling(const std::string& target, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {  // no progress and no reason given: treat as a full device
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool AtomicFile::Fail(const char* what, int err) {
    if (error_.empty()) error_ = Reason(what, path_, err);
    return false;
}

bool AtomicFile::Open(const std::string& path) {
    Abandon();
    path_ = path;
    error_.clear();
    buffer_.clear();
    notice_.clear();
    if (path.empty()) return Fail("cannot write", ENOENT);
    notice_ = ReplacedLinkNotice(path);
    struct stat st {};
    const bool exists = notice_.empty() && ::stat(path.c_str(), &st) == 0;  // a replaced link is new
    if (exists && S_ISDIR(st.st_mode)) return Fail("cannot write", EISDIR);
    inPlace_ = exists && !S_ISREG(st.st_mode);
    if (inPlace_) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        return fd_ >= 0 || Fail("cannot write", errno);
    }
    RemoveDeadTemporaries(path);
    fd_ = CreateSibling(path, temp_);
    if (fd_ < 0) {
        temp_.clear();
        return Fail("cannot write", errno);
    }
    if (exists) ::fchmod(fd_, st.st_mode & 07777);  // the replacement keeps the file's permissions
    return true;
}

bool AtomicFile::Drain() {
    if (Failed()) return false;
    if (fd_ < 0) return Fail("cannot write", EBADF);
    const bool ok = WriteAll(fd_, buffer_.data(), buffer_.size());
    const int err = errno;
    buffer_.clear();
    return ok || Fail("cannot write", err);
}

bool AtomicFile::Write(std::string_view data) {
    if (Failed()) return false;
    if (fd_ < 0) return Fail("cannot write", EBADF);
    buffer_.append(data);
    return buffer_.size() < kBufferSize || Drain();
}

bool AtomicFile::Sync() {
    if (!Drain()) return false;
    if (inPlace_) return true;  // devices and pipes have nothing to make durable
    return ::fsync(fd_) == 0 || Fail("cannot write", errno);
}

bool AtomicFile::Commit() {
    if (!Sync()) {
        Abandon();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        Fail("cannot write", errno);
        Abandon();
        return false;
    }
    if (inPlace_) return true;
    if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
        Fail("cannot replace", errno);
        Abandon();
        return false;
    }
    temp_.clear();
    return true;
}

void AtomicFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    buffer_.clear();
}

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error,
                         std::string* notice) {
    AtomicFile file;
    const bool written = file.Open(path) && file.Write(content) && file.Commit();
    if (notice) *notice = written ? file.Notice() : "";
    if (!written && error) *error = file.Error();
    return written;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& content, std::string* error,
                         std::string* notice) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(content.data()), content.size()), error, notice);
}

std::string ReplacedLinkNotice(const std::string& path) {
    if (!IsSymbolicLink(path) || LinksToDeviceOrPipe(path)) return "";
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    const std::string named = length > 0 ? std::string(target, static_cast<size_t>(length)) : "?";
    return path + " is a symbolic link to " + named + ": it is replaced by a regular file and " + named +
           " is left untouched";
}

bool CheckWritable(const std::string& path, std::string* error) {
    const auto fail = [&](int err) {
        if (error) *error = Reason("cannot write", path, err);
        return false;
    };
    if (path.empty()) return fail(ENOENT);
    struct stat st {};
    if (ReplacedLinkNotice(path).empty() && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return fail(errno);
        ::close(fd);
        return true;
    }
    std::string temp;
    const int fd = CreateSibling(path, temp);
    if (fd < 0) return fail(errno);
    // One byte shows a disk that is already full; it is removed at once.
    const bool wrote = WriteAll(fd, "\n", 1);
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return wrote || fail(err);
}

}  // namespace vantor
