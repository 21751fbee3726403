#include "app/workbench/target_search_worker.h"

TTargetSearchWorker::TTargetSearchWorker(vantor::search::SearchEntries entries,
                                         vantor::search::TargetSearchSettings settings,
                                         vantor::search::TargetSearchInput input, QObject* parent)
    : QObject(parent), search_(entries, settings), input_(std::move(input)) {}

TTargetSearchWorker::~TTargetSearchWorker() {
    search_.RequestStop();
    if (thread_.joinable()) thread_.join();
}

void TTargetSearchWorker::Start() {
    running_ = true;
    thread_ = std::thread([this] {
        result_ = search_.Run(input_, *this);
        // The result is complete before the window's thread hears of it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (thread_.joinable()) thread_.join();
                running_ = false;
                emit finished();
            },
            Qt::QueuedConnection);
    });
}

void TTargetSearchWorker::AddLine(const std::string& line) { emit lineAdded(QString::fromStdString(line)); }

void TTargetSearchWorker::Progress(double fraction, const std::string& status) {
    emit progressed(fraction, QString::fromStdString(status));
}
