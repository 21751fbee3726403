#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vantor {

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error) {
    std::string tmp = path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    const auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + " " + path + ": " + std::strerror(errno);
        return false;
    };
    if (fd < 0) return fail("cannot create a temporary file for");
    fchmod(fd, 0644);
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            errno = saved;
            return fail("cannot write");
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int saved = errno;
        ::unlink(tmp.c_str());
        errno = saved;
        return fail("cannot write");
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(tmp.c_str());
        errno = saved;
        return fail("cannot replace");
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& content, std::string* error) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(content.data()), content.size()), error);
}

}  // namespace vantor
