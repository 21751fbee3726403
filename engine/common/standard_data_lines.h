#pragma once
// The standard data as a sequence of lines, read the way a 128000-character line buffer reads
// them: a longer line is cut, a line end of LF or CR LF is dropped. Rewind starts over.

#include <cstddef>
#include <istream>
#include <string>

namespace vantor::engine {

class StandardDataLines {
public:
    explicit StandardDataLines(std::istream& in) : in_(in) {}

    // The next line into `line`; false at the end of the file (a read error ends it too).
    bool Next(std::string& line);
    void Rewind();

    // 1-based number of the line last returned.
    size_t LineNumber() const { return lineNumber_; }

private:
    std::istream& in_;
    size_t lineNumber_ = 0;
};

}  // namespace vantor::engine
