#pragma once
// A scripted tour for the manual's pictures: with VANTOR_SCREENSHOT_DIR set, the program grabs the
// cover, opens the project given on the command line, grabs the working layout, runs the
// integrated reduction (window and reduced mechanism), the reduced test and the comparison, grabs
// the window and the comparison viewer with its plot and table pages, then runs "Reduce to target
// error..." (dialog, window, candidate table, the viewer's candidate plot), sets the kept runs side
// by side in the run history, and quits. Each picture is a PNG in that folder.

#include <QObject>
#include <QString>
#include <functional>

class TPruvexForm;

class ScreenshotScript : public QObject {
    Q_OBJECT
public:
    ScreenshotScript(TPruvexForm& window, QString projectPath, QString folder, QObject* parent = nullptr);

    void Start();

private:
    void Grab(QWidget* widget, const char* name);
    void GrabPlots(QWidget* viewer);
    void Trigger(const char* actionName);
    // Calls `next` once no run is active or running, or gives up after the time limit.
    void WhenIdle(std::function<void()> next);
    void TargetSearchTour();
    void GrabCandidatePlot();
    void GrabRunHistory();
    void Finish(int exitCode);

    TPruvexForm& window_;
    QString projectPath_;
    QString folder_;
    qint64 waitedMs_ = 0;
};
