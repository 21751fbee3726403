#include "app/core/pipeline/output_checks.h"

#include <sys/stat.h>

#include <vector>

#include "common/atomic_file.h"

namespace vantor {
namespace {

std::vector<const std::string*> TaskOutputs(int taskCode, const JobPaths& p) {
    switch (taskCode) {
        case 1: return {&p.saveFile, &p.outFile};
        case 2: return {&p.trimFile, &p.outFile};
        case 3: return {&p.mechBinFile, &p.outFile};
        case 4: return {&p.transpBinFile, &p.outFile};
        default: return {};  // the reduced writer reports its own file
    }
}

}  // namespace

std::optional<std::string> FindUnwritableOutput(int taskCode, const JobPaths& paths) {
    for (const std::string* path : TaskOutputs(taskCode, paths)) {
        std::string error;
        if (!CheckWritable(*path, &error)) {
            if (!error.empty()) error[0] = 'C';  // "cannot write ..." begins the message
            return "<E> " + error;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ReplacedLinkNotices(int taskCode, const JobPaths& paths) {
    std::vector<std::string> notices;
    for (const std::string* path : TaskOutputs(taskCode, paths))
        if (std::string notice = ReplacedLinkNotice(*path); !notice.empty()) notices.push_back("> " + notice);
    return notices;
}

FileIdentity IdentifyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return {true, static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace vantor
