#include "BZURLConnection.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The locators' own workers: the seven dealer searches run together, however many cores the
// machine has, and never wait behind other work of the global pool.
QThreadPool& pool() {
    static QThreadPool* workers = [] {
        auto* threads = new QThreadPool;
        threads->setMaxThreadCount(16);
        return threads;
    }();
    return *workers;
}

} // namespace

BZURLConnection::BZURLConnection(fretkit::LocatorRequest request, Completion completion,
                                 QObject* parent)
    : QObject(parent), request_(std::move(request)), completion_(std::move(completion)) {
    connect(&watcher_, &QFutureWatcherBase::finished, this, &BZURLConnection::finished);
    // The worker works on its own copy; this object may be gone by the time it is done.
    watcher_.setFuture(QtConcurrent::run(&pool(), [request = request_] {
        return fretkit::LocatorHttpClient().send(request); // worker thread
    }));
}

QPointer<BZURLConnection> BZURLConnection::send(fretkit::LocatorRequest request,
                                                Completion completion, QObject* parent) {
    return new BZURLConnection(std::move(request), std::move(completion), parent);
}

void BZURLConnection::cancel() {
    completion_ = nullptr;
    watcher_.disconnect(this);
    deleteLater();
}

void BZURLConnection::finished() {
    // Deleted later, not now: the completion may start other connections, and the watcher is
    // still delivering this signal.
    deleteLater();
    if (Completion completion = std::exchange(completion_, nullptr)) {
        completion(watcher_.result());
    }
}
