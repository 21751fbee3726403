#include "app/workbench/reactor_case_worker.h"

TReactorCaseWorker::TReactorCaseWorker(TReactorCaseJob job, QObject* parent) : QObject(parent), job_(std::move(job)) {}

TReactorCaseWorker::~TReactorCaseWorker() {
    if (thread_.joinable()) thread_.join();
}

void TReactorCaseWorker::Start() {
    running_ = true;
    thread_ = std::thread([this] {
        const bool succeeded =
            vantor::reactors::RunProjectReactorCases(job_.reduced, job_.settings, job_.files, job_.mixtureLines,
                                                     job_.cases, job_.pellor, *job_.libraries, *this);
        QMetaObject::invokeMethod(
            this,
            [this, succeeded] {
                if (thread_.joinable()) thread_.join();
                running_ = false;
                emit finished(succeeded);
            },
            Qt::QueuedConnection);
    });
}

void TReactorCaseWorker::AddLine(const std::string& line) { emit lineAdded(QString::fromStdString(line)); }
