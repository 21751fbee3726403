#pragma once
// Record-framed binary files: every record is a 4-byte little-endian byte count, the record's
// bytes, and the same count again (the common Fortran unformatted sequential convention).
// Integers and logicals are 4-byte little endian, reals 8-byte IEEE, names blank-padded bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

enum class RecordStatus { Ok, EndOfFile, Error };

// Reads records from a file held in memory; Rewind starts over, as on a sequential unit.
class RecordReader {
public:
    RecordReader() = default;
    explicit RecordReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Loads the whole file; false when it cannot be opened or read.
    bool Open(const std::string& path);
    bool IsOpen() const { return open_; }
    void Rewind() { pos_ = 0; }

    // Next record into `record`. EndOfFile only at a clean end (no bytes left); a frame that
    // is cut short or whose two counts disagree is an Error.
    RecordStatus Next(std::vector<uint8_t>& record);

private:
    std::vector<uint8_t> bytes_;
    size_t pos_ = 0;
    bool open_ = true;
};

// Walks the items of one record. Reading past the record's end marks the cursor failed and
// yields zeros, as a Fortran read beyond a record is an input error.
class RecordCursor {
public:
    explicit RecordCursor(const std::vector<uint8_t>& record) : data_(record) {}

    int32_t Int();
    double Real();
    bool Logical();                    // 4 bytes, true when the lowest bit is set
    std::string Name(size_t length);   // exactly `length` bytes, blank padding kept

    bool Failed() const { return failed_; }
    size_t Remaining() const { return data_.size() - pos_; }

private:
    bool Take(void* out, size_t n);
    const std::vector<uint8_t>& data_;
    size_t pos_ = 0;
    bool failed_ = false;
};

// Builds one record in memory; the writer frames it.
class RecordBuilder {
public:
    RecordBuilder& Int(int32_t v);
    RecordBuilder& Real(double v);
    RecordBuilder& Logical(bool v);
    RecordBuilder& Name(std::string_view text, size_t length);  // cut or blank-padded to length
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Collects framed records in memory; SaveAtomically writes them in one go (see atomic_file.h).
class RecordWriter {
public:
    void Write(const RecordBuilder& record) { Write(record.Bytes()); }
    void Write(const std::vector<uint8_t>& record);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace vantor
