#pragma once
// The files each library task writes, checked before its library is called and looked at again
// when it fails, so a step that cannot write says which file and why instead of pointing the
// user at a listing that was never written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/core/pipeline/job_record_fill.h"

namespace vantor {

// "<E> Cannot write PATH: reason" for the first output of `taskCode` that cannot be written now.
std::optional<std::string> FindUnwritableOutput(int taskCode, const JobPaths& paths);

// "> PATH is a symbolic link to ...: it is replaced ..." for each output of `taskCode` that is one.
std::vector<std::string> ReplacedLinkNotices(int taskCode, const JobPaths& paths);

// Which file stands at a path: the libraries replace a listing by renaming a new file over it,
// so a listing whose identity did not change during a step was not written by it.
struct FileIdentity {
    bool regular = false;
    uint64_t device = 0, inode = 0;
    int64_t modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentifyFile(const std::string& path);

}  // namespace vantor
