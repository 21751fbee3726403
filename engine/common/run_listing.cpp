#include "engine/common/run_listing.h"

namespace vantor::engine {

bool CrLfFileBuffer::Open(const std::string& path) {
    last_ = 0;
    return file_.Open(path);
}

bool CrLfFileBuffer::Close() { return file_.IsOpen() && file_.Commit(); }

CrLfFileBuffer::int_type CrLfFileBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

std::streamsize CrLfFileBuffer::xsputn(const char* s, std::streamsize n) {
    std::string text;
    text.reserve(static_cast<size_t>(n) + 16);
    for (std::streamsize i = 0; i < n; ++i) {
        if (s[i] == '\n' && last_ != '\r') text += '\r';
        text += s[i];
        last_ = s[i];
    }
    // A short count puts the stream in its bad state, so the writers see the failure.
    return file_.Write(text) ? n : 0;
}

int CrLfFileBuffer::sync() { return Failed() ? -1 : 0; }

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
