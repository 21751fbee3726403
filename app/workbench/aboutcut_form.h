#pragma once
// The about dialog: a fixed text and an "Exit" button.

#include <QDialog>

class QLabel;

class TAboutCutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutCutForm(QWidget* parent = nullptr);

    static QString AboutText();

private:
    QLabel* AboutL_ = nullptr;
};
