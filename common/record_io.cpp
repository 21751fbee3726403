#include "common/record_io.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vantor {
namespace {

uint32_t ReadCount(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

void AppendBytes(std::vector<uint8_t>& out, const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
}

}  // namespace

bool RecordReader::Open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    open_ = false;
    bytes_.clear();
    pos_ = 0;
    if (!in) return false;
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    open_ = true;
    return true;
}

RecordStatus RecordReader::Next(std::vector<uint8_t>& record) {
    if (!open_) return RecordStatus::Error;
    if (pos_ == bytes_.size()) return RecordStatus::EndOfFile;
    const size_t left = bytes_.size() - pos_;
    if (left < 8) return RecordStatus::Error;
    const uint32_t count = ReadCount(bytes_, pos_);
    if (count > left - 8) return RecordStatus::Error;
    if (ReadCount(bytes_, pos_ + 4 + count) != count) return RecordStatus::Error;
    record.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + 4),
                  bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + 4 + count));
    pos_ += 8 + static_cast<size_t>(count);
    return RecordStatus::Ok;
}

bool RecordCursor::Take(void* out, size_t n) {
    if (failed_ || Remaining() < n) {
        failed_ = true;
        std::memset(out, 0, n);
        return false;
    }
    std::memcpy(out, data_.data() + pos_, n);
    pos_ += n;
    return true;
}

int32_t RecordCursor::Int() {
    int32_t v;
    Take(&v, 4);
    return v;
}

double RecordCursor::Real() {
    double v;
    Take(&v, 8);
    return v;
}

bool RecordCursor::Logical() { return (Int() & 1) != 0; }

std::string RecordCursor::Name(size_t length) {
    std::string s(length, ' ');
    if (!Take(s.data(), length)) s.assign(length, ' ');
    return s;
}

RecordBuilder& RecordBuilder::Int(int32_t v) {
    AppendBytes(bytes_, &v, 4);
    return *this;
}

RecordBuilder& RecordBuilder::Real(double v) {
    AppendBytes(bytes_, &v, 8);
    return *this;
}

RecordBuilder& RecordBuilder::Logical(bool v) { return Int(v ? 1 : 0); }

RecordBuilder& RecordBuilder::Name(std::string_view text, size_t length) {
    std::string s(text.substr(0, length));
    s.resize(length, ' ');
    AppendBytes(bytes_, s.data(), length);
    return *this;
}

void RecordWriter::Write(const std::vector<uint8_t>& record) {
    const uint32_t count = static_cast<uint32_t>(record.size());
    // Room for the whole framed record at once: growing by doubling would copy a record of
    // hundreds of megabytes (the diffusion fits of a big mechanism) and hold twice its size.
    // Small records keep the doubling, so a file of many records is still filled in linear time.
    const size_t needed = bytes_.size() + record.size() + 8;
    if (needed > bytes_.capacity()) bytes_.reserve(std::max(needed, 2 * bytes_.capacity()));
    AppendBytes(bytes_, &count, 4);
    AppendBytes(bytes_, record.data(), record.size());
    AppendBytes(bytes_, &count, 4);
}

}  // namespace vantor
