#pragma once
// Output files are written to a temporary file in the same folder and renamed into place, so a
// failure never leaves a half file where a good one stood. Every write, the flush and the close
// are checked; the first failure is kept with the file's name and the system's reason.
//
// A target that exists and is not a regular file (a device such as /dev/null, a pipe) is written
// in place: renaming over it would replace the device; so is a symbolic link to a device or a
// pipe (/dev/stdout). Any other symbolic link is never followed: a folder from elsewhere may hold
// `Out.dat -> ~/.bashrc`, so the link itself is replaced by a regular file, its target untouched,
// and Notice() says so.
//
// A temporary is named `NAME.tmpPID-N`. One left by a process that no longer exists (killed
// mid-write) is removed when NAME is next written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile() { Abandon(); }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary sibling of `path` (or opens a device in place).
    bool Open(const std::string& path);
    // Buffered; false as soon as any write of this file has failed (later writes are dropped).
    bool Write(std::string_view data);
    // Writes out the buffer and makes the data durable; the target is not touched yet.
    bool Sync();
    // Sync, close, and rename the temporary over the target. False (and nothing replaced) on failure.
    bool Commit();
    // Removes the temporary; the target stays as it was. Called by the destructor when not committed.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    bool Failed() const { return !error_.empty(); }
    // "cannot write PATH: reason", empty while nothing failed.
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }
    // "PATH is a symbolic link to TARGET: it is replaced ..." after Open met one, else empty.
    const std::string& Notice() const { return notice_; }

private:
    bool Drain();
    bool Fail(const char* what, int err);

    std::string path_;    // as given, for messages
    std::string temp_;
    std::string notice_;
    std::string buffer_;
    std::string error_;
    int fd_ = -1;
    bool inPlace_ = false;
};

// Writes `content` to `path` through an AtomicFile. On failure returns false, leaves any earlier
// file untouched and puts the reason (with the path) in `error`. `notice` gets Notice().
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error = nullptr,
                         std::string* notice = nullptr);
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& content,
                         std::string* error = nullptr, std::string* notice = nullptr);

// The notice a write of `path` will give because `path` is a symbolic link that the write
// replaces by a regular file; empty when it is not one.
std::string ReplacedLinkNotice(const std::string& path);

// Whether a new `path` could be written now, without changing anything: a device is opened for
// writing, any other path needs a folder that takes a new file. On false, `error` says why in the
// same words as a failed write.
bool CheckWritable(const std::string& path, std::string* error = nullptr);

}  // namespace vantor
