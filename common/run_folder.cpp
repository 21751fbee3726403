#include "common/run_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace vantor {

bool MakeRunFolder(const std::string& path, std::string* reason) {
    const auto fail = [&](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return fail(std::strerror(errno));
        if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) return MakeRunFolder(path, reason);
        return fail(std::strerror(errno));
    }
    if (S_ISLNK(st.st_mode)) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        return fail("it is a symbolic link to " + (length > 0 ? std::string(target, static_cast<size_t>(length)) : "?") +
                    ", which a run never follows; remove it or put a folder in its place");
    }
    return S_ISDIR(st.st_mode) || fail(std::strerror(ENOTDIR));
}

}  // namespace vantor
