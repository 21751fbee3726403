#pragma once
// The message memo MMsg and the error flag ErrFlg: the runner's lines go to the memo, "<E> "
// lines raise the flag, which blinks while its tag is above 0 until the user clicks it.

#include <QLabel>

#include "app/core/pipeline/message_sink.h"

class QPlainTextEdit;

class TErrorFlag : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int tag READ Tag WRITE SetTag)
public:
    explicit TErrorFlag(QWidget* parent = nullptr);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    void Raise();  // tag 1, shown: the progress timer now makes it blink
    void Reset();  // tag 0, hidden
    void Blink();  // one progress-timer tick: inverts the visibility while the tag is above 0

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int tag_ = 0;
};

namespace vantor {

class MemoMessageSink : public MessageSink {
public:
    MemoMessageSink(QPlainTextEdit* memo, TErrorFlag* flag, QWidget* boxOwner);

    void AddLine(const std::string& line) override;
    void ClearLines() override;
    void RaiseErrorFlag() override;
    void ResetErrorFlag() override;
    void ShowMessageBox(const std::string& text) override;

private:
    QPlainTextEdit* memo_;
    TErrorFlag* flag_;
    QWidget* boxOwner_;
};

}  // namespace vantor
