#include "app/workbench/message_memo.h"

#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

// A small red pennant on a staff.
QPixmap FlagPixmap() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1.5));
    painter.drawLine(QPointF(3, 1), QPointF(3, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 20, 20));
    painter.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 5.5), QPointF(4, 9)}));
    return pixmap;
}

}  // namespace

TErrorFlag::TErrorFlag(QWidget* parent) : QLabel(parent) {
    setPixmap(FlagPixmap());
    setFixedSize(16, 16);
    setToolTip("An error was reported; click to stop the blinking.");
    // Blinking must not move the widgets beside the flag.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
}

void TErrorFlag::Raise() {
    tag_ = 1;
    show();
}

void TErrorFlag::Reset() {
    tag_ = 0;
    hide();
}

void TErrorFlag::Blink() {
    if (tag_ > 0) setHidden(!isHidden());
}

void TErrorFlag::mouseReleaseEvent(QMouseEvent* event) {
    tag_ = 0;
    show();
    QLabel::mouseReleaseEvent(event);
}

namespace vantor {

MemoMessageSink::MemoMessageSink(QPlainTextEdit* memo, TErrorFlag* flag, QWidget* boxOwner)
    : memo_(memo), flag_(flag), boxOwner_(boxOwner) {}

void MemoMessageSink::AddLine(const std::string& line) {
    memo_->appendPlainText(QString::fromStdString(line));
    memo_->verticalScrollBar()->setValue(memo_->verticalScrollBar()->maximum());
}

void MemoMessageSink::ClearLines() { memo_->clear(); }

void MemoMessageSink::RaiseErrorFlag() { flag_->Raise(); }

void MemoMessageSink::ResetErrorFlag() { flag_->Reset(); }

void MemoMessageSink::ShowMessageBox(const std::string& text) {
    QMessageBox box(QMessageBox::Information, "Vantor4", QString::fromStdString(text), QMessageBox::Ok, boxOwner_);
    box.setObjectName("MessageBox");
    box.exec();
}

}  // namespace vantor
