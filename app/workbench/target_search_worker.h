#pragma once
// The target search on a thread of its own, so the window never waits: its lines, progress and
// end reach the window's thread as queued signals.

#include <QObject>
#include <QString>
#include <memory>
#include <thread>

#include "app/core/search/target_search.h"

class TTargetSearchWorker : public QObject, private vantor::search::SearchObserver {
    Q_OBJECT
public:
    TTargetSearchWorker(vantor::search::SearchEntries entries, vantor::search::TargetSearchSettings settings,
                        vantor::search::TargetSearchInput input, QObject* parent = nullptr);
    ~TTargetSearchWorker() override;  // asks the search to stop and waits for it

    void Start();
    void RequestStop() { search_.RequestStop(); }
    bool Running() const { return running_; }
    // After finished(): the search's result.
    const vantor::search::TargetSearchResult& Result() const { return result_; }

signals:
    void lineAdded(const QString& line);
    void progressed(double fraction, const QString& status);
    void finished();

private:
    void AddLine(const std::string& line) override;
    void Progress(double fraction, const std::string& status) override;

    vantor::search::TargetSearch search_;
    vantor::search::TargetSearchInput input_;
    vantor::search::TargetSearchResult result_;
    bool running_ = false;
    std::thread thread_;
};
