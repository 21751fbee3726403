#pragma once
// Failing writes on demand: a file-size limit that makes every write past it fail as on a disk
// that fills up partway, outputs that are links to /dev/full (the first write fails), and a
// folder nothing can be written into. All of it works unprivileged and under the sanitizers.

#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

namespace vantor::faults {

// While it lives, no file of this process can grow past `bytes` (writes fail with EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// A fresh folder, removed with everything in it at the end.
class Folder {
public:
    explicit Folder(const std::string& name);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string Path(const std::string& name) const { return root_ + "/" + name; }
    const std::string& Root() const { return root_; }
    // Turns the folder read-only with what it holds: a read-only tmpfs copy when running as
    // root (root ignores permissions), else no write permission. False when neither works.
    bool MakeReadOnly();

private:
    std::string root_;
    bool mounted_ = false;
};

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
// `path` becomes a link to /dev/full, so its first write fails with "No space left on device".
void LinkToFullDevice(const std::string& path);
// Files in `folder` that an interrupted write would leave behind (temporaries beside outputs).
std::vector<std::string> Leftovers(const std::string& folder);

// Whether the five libraries are built beside the programs (the runs through vantor-cli need them).
bool LibrariesBuilt();

}  // namespace vantor::faults
