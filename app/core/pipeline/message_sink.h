#pragma once
// Where the task runner's lines go: the desktop program's message memo, vantor-cli's standard
// output, a vector in the tests. "> " lines inform; "<E> " lines are errors and raise the
// blinking error flag.

#include <string>

namespace vantor {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void AddLine(const std::string& line) = 0;
    virtual void ClearLines() {}
    virtual void RaiseErrorFlag() {}  // flag shown and blinking
    virtual void ResetErrorFlag() {}  // flag hidden, blinking stopped
    // A notice that needs the user's attention at once (a message box in the desktop program).
    virtual void ShowMessageBox(const std::string& text) { AddLine(text); }
};

// Appends the error line and raises the error flag.
inline void ReportError(MessageSink& sink, const std::string& line) {
    sink.AddLine(line);
    sink.RaiseErrorFlag();
}

}  // namespace vantor
