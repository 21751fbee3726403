#pragma once
// The flame and stirred-reactor cases of a run on a thread of their own: a flame takes seconds to
// minutes and its library call cannot be stopped, so the window keeps answering while it runs.
// Lines and the end reach the window's thread as queued signals.

#include <QObject>
#include <QString>
#include <string>
#include <thread>
#include <vector>

#include "app/core/pipeline/message_sink.h"
#include "app/core/reactors/reactor_runs.h"

struct TReactorCaseJob {
    bool reduced = false;
    vantor::TWState settings;  // the settings of the run the cases follow
    vantor::RunFiles files;
    std::vector<std::string> mixtureLines;
    std::vector<vantor::ReactorCaseLine> cases;
    vantor::EntryFunction pellor = nullptr;
    const vantor::reactors::ReactorLibraries* libraries = nullptr;  // outlives the worker
};

class TReactorCaseWorker : public QObject, private vantor::MessageSink {
    Q_OBJECT
public:
    explicit TReactorCaseWorker(TReactorCaseJob job, QObject* parent = nullptr);
    ~TReactorCaseWorker() override;  // waits for the cases

    void Start();
    bool Running() const { return running_; }
    bool Reduced() const { return job_.reduced; }

signals:
    void lineAdded(const QString& line);
    void finished(bool succeeded);

private:
    void AddLine(const std::string& line) override;

    TReactorCaseJob job_;
    bool running_ = false;
    std::thread thread_;
};
