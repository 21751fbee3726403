// Vantor: the desktop workbench. An optional argument names a project (*.PRJ) or a mechanism
// input file to open at start.

#include <QApplication>
#include <QTimer>

#include <csignal>

#include "app/workbench/pruvex_form.h"
#include "app/workbench/screenshot_script.h"
#include "app/workbench/vantor_windows.h"

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write (EFBIG) with its message
    QApplication application(argc, argv);
    SetApplicationTitle();

    VantorWindows windows = CreateVantorWindows();
    TPruvexForm& window = *windows.main;
    window.show();

    const QStringList arguments = QApplication::arguments();
    const QString path = arguments.size() > 1 ? arguments.at(1) : QString();
    const QString screenshotFolder = qEnvironmentVariable("VANTOR_SCREENSHOT_DIR");
    if (!screenshotFolder.isEmpty()) {
        auto* script = new ScreenshotScript(window, path, screenshotFolder, &window);
        script->Start();
    } else if (!path.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, path] {
            if (path.endsWith(".prj", Qt::CaseInsensitive))
                window.OpenProjectFile(path);
            else
                window.OpenMechanismFile(path);
        });
    }
    return application.exec();
}
