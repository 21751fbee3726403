#pragma once
// Shared pieces of the window tests: a session (fresh folder as the current directory, optionally
// with the fake libraries in it, and the program's windows), widgets found by object name, answers
// to modal dialogs, and the message memo's lines.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/workbench/message_memo.h"
#include "app/workbench/parameter_grid_view.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/vantor_windows.h"

namespace guitest {

inline const QStringList kLibraryFiles{"libTolmar.so", "libPellor.so", "libSENKIN.so", "libKELDA.so", "libMORVA.so",
                                     "libBRENA.so", "libTOVIK.so"};
inline const QString kFakeFolderLine = QString("> Libraries loaded from ") + VANTOR_GUI_FAKE_DIR;

inline void CopyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    QFile::copy(from, to);
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
}

// The example project and its files, copied into `folder`.
inline QString CopyExample(const QString& folder) {
    for (const char* name : {"chem.inp", "therm.dat", "tran.dat", "gri30.PRJ"})
        CopyFile(QString(VANTOR_EXAMPLE_DIR) + "/" + name, folder + "/" + name);
    return folder + "/gri30.PRJ";
}

inline void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text);
}

inline QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `answer` on the next modal dialog that opens (the dialog's exec() must follow the call).
inline void OnNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 15000) {
    auto* poll = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, clock, answer = std::move(answer), timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs) return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        if (!modal) return;
        answer(modal);
        // An answer that stopped early (a failed check) must not leave the dialog blocking.
        QTimer::singleShot(3000, modal, [modal] {
            if (modal->isVisible()) modal->close();
        });
    });
    poll->start(20);
}

// Chooses `path` in the next file dialog, or cancels it when `path` is empty.
inline void AnswerFileDialog(const QString& path, QString* title = nullptr) {
    OnNextModal([path, title](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        if (title) *title = dialog->windowTitle();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        // The name field with the full path: independent of the folder the dialog shows.
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

// Presses `button` in the next message box and keeps its text.
inline void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    OnNextModal([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        if (text) *text = box->text();
        if (QAbstractButton* pressed = box->button(button))
            pressed->click();
        else
            box->close();
    });
}

// A fresh folder as the current directory (the program's system directory) and the windows in
// their start-up order, the main window shown. With `fakes`, the libraries are the fake ones,
// named through the program's library-folder setting; without, the real ones beside the program.
// `prepare` fills the folder before the program starts.
class Session {
public:
    explicit Session(bool fakes, const std::function<void(const QString& folder)>& prepare = {})
        : previous_(QDir::currentPath()) {
        if (fakes)
            qputenv("VANTOR_LIBRARY_DIR", VANTOR_GUI_FAKE_DIR);
        else
            qunsetenv("VANTOR_LIBRARY_DIR");
        if (prepare) prepare(folder_.path());
        QDir::setCurrent(folder_.path());
        windows_ = CreateVantorWindows();
        windows_.main->show();
        QApplication::processEvents();
    }
    ~Session() {
        windows_.main.reset();
        QDir::setCurrent(previous_);
    }

    TPruvexForm& Window() { return *windows_.main; }
    VantorWindows& Windows() { return windows_; }
    QString Path(const QString& name) const { return folder_.path() + "/" + name; }
    QString Folder() const { return folder_.path(); }

    template <class T>
    T* Find(const char* name) {
        return windows_.main->findChild<T*>(name);
    }
    QAction* Action(const char* name) { return Find<QAction>(name); }
    QPlainTextEdit* Memo(const char* name) { return Find<QPlainTextEdit>(name); }
    QListWidget* List(const char* name) { return Find<QListWidget>(name); }
    QLabel* Label(const char* name) { return Find<QLabel>(name); }
    T2cccStringGrid* Grid() { return Find<T2cccStringGrid>("ParGrid"); }
    TErrorFlag* Flag() { return Find<TErrorFlag>("ErrFlg"); }

    QStringList Messages() { return Memo("MMsg")->toPlainText().split('\n'); }

    // Opens through the "INP Open" dialog.
    void OpenMechanism(const QString& path) {
        AnswerFileDialog(path);
        Action("M_File_Open")->trigger();
    }
    // Opens through the "PRJ Open" dialog.
    void OpenProject(const QString& path) {
        AnswerFileDialog(path);
        Action("M_File_PRJOpen")->trigger();
    }
    // Lets the menu's opening rules run, as when the user opens it.
    void PopUp(const char* menuName) { emit Find<QMenu>(menuName)->aboutToShow(); }

private:
    QTemporaryDir folder_;
    QString previous_;
    VantorWindows windows_;
};

// The position of each expected line in `lines`, searched in order; -1 from the first one missing.
inline int FirstMissingInOrder(const QStringList& lines, const QStringList& expected) {
    qsizetype from = 0;
    for (int i = 0; i < expected.size(); ++i) {
        const qsizetype at = lines.indexOf(expected[i], from);
        if (at < 0) return i;
        from = at + 1;
    }
    return -1;
}

inline bool AllLibrariesBuilt() {
    for (const QString& name : kLibraryFiles)
        if (!QFile::exists(QString(VANTOR_BIN_DIR) + "/" + name)) return false;
    return true;
}

}  // namespace guitest
