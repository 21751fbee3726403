#pragma once
// The lines of a memo as the user sees them: a final line end does not add an empty line.

#include <QPlainTextEdit>
#include <QStringList>
#include <string>
#include <vector>

inline std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    QStringList parts = text.split('\n');
    if (parts.last().isEmpty()) parts.removeLast();
    for (const QString& part : parts) lines.push_back(part.toStdString());
    return lines;
}

// Replaces the memo's text by the lines and scrolls to the first one.
inline void SetMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList parts;
    for (const std::string& line : lines) parts << QString::fromStdString(line);
    memo->setPlainText(parts.join('\n'));
    memo->moveCursor(QTextCursor::Start);
    memo->ensureCursorVisible();
}
