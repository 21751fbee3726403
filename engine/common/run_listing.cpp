#include "engine/common/run_listing.h"

namespace vantor::engine {

bool CrLfFileBuffer::Open(const std::string& path) {
    last_ = 0;
    failed_ = false;
    return file_.open(path, std::ios::out | std::ios::trunc | std::ios::binary) != nullptr;
}

bool CrLfFileBuffer::Close() {
    if (!file_.is_open()) return !failed_;
    const bool closed = file_.close() != nullptr;
    return closed && !failed_;
}

void CrLfFileBuffer::Put(char c) {
    if (c == '\n' && last_ != '\r' && file_.sputc('\r') == traits_type::eof()) failed_ = true;
    if (file_.sputc(c) == traits_type::eof()) failed_ = true;
    last_ = c;
}

CrLfFileBuffer::int_type CrLfFileBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    Put(traits_type::to_char_type(c));
    return c;
}

std::streamsize CrLfFileBuffer::xsputn(const char* s, std::streamsize n) {
    for (std::streamsize i = 0; i < n; ++i) Put(s[i]);
    return n;
}

int CrLfFileBuffer::sync() { return file_.pubsync(); }

void WriteFixedRecord(std::ostream& listing, std::string_view record) { listing << record << '\n'; }

void WriteFreeRecord(std::ostream& listing, std::string_view text) { listing << ' ' << text << '\n'; }

std::string WithValues(std::string_view text, std::initializer_list<long long> values) {
    std::string out(text);
    for (const long long v : values) {
        out += ' ';
        out += std::to_string(v);
    }
    return out;
}

}  // namespace vantor::engine
