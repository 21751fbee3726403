#pragma once
// The run listing ("Out.dat"): every message and result line of a reduction run. Lines end with
// CR LF whoever writes them (the chemistry library writes its messages through Stream()).
// The listing is written through a temporary file and put in place by Close, so a listing that
// cannot be written leaves the earlier one as it was; the first failed write puts the stream in
// its bad state and every later record is dropped.

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "common/atomic_file.h"

namespace vantor::engine {

// Turns every "\n" not already preceded by "\r" into "\r\n" on the way to a file.
class CrLfFileBuffer : public std::streambuf {
public:
    bool Open(const std::string& path);
    // Puts the file in place; false when any write, the flush or the rename failed.
    bool Close();
    bool Failed() const { return file_.Failed(); }
    // "cannot write PATH: reason" once something failed.
    const std::string& Error() const { return file_.Error(); }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    AtomicFile file_;
    char last_ = 0;
};

class RunListing {
public:
    RunListing() : stream_(&buffer_) {}

    // Opens the file for writing from its start (earlier contents are replaced).
    bool Open(const std::string& path) { return buffer_.Open(path); }
    bool Close() { return buffer_.Close(); }
    bool Failed() const { return buffer_.Failed(); }
    const std::string& Error() const { return buffer_.Error(); }

    // Every record goes here; it is also the message channel handed to the chemistry library.
    std::ostream& Stream() { return stream_; }

private:
    CrLfFileBuffer buffer_;
    std::ostream stream_;
};

// A fixed-format record, written exactly as given.
void WriteFixedRecord(std::ostream& listing, std::string_view record);
// A free-format record: one blank, then the text (with its values, see WithValues).
void WriteFreeRecord(std::ostream& listing, std::string_view text);

// Text of a free-format record with values: "text v1 v2 ...".
std::string WithValues(std::string_view text, std::initializer_list<long long> values);

}  // namespace vantor::engine
