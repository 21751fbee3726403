#include "engine/common/standard_data_lines.h"

#include "engine/common/line_numbers.h"

namespace vantor::engine {

bool StandardDataLines::Next(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (buffer == nullptr || !in_.good()) return false;
    bool any = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in_.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n') break;
        // One character beyond the buffer is kept so that a CR just past the cut is recognised.
        if (line.size() <= kLineBufferLength) line.push_back(static_cast<char>(c));
    }
    if (!any) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLineBufferLength) line.resize(kLineBufferLength);
    ++lineNumber_;
    return true;
}

void StandardDataLines::Rewind() {
    in_.clear();
    in_.seekg(0);
    lineNumber_ = 0;
}

}  // namespace vantor::engine
