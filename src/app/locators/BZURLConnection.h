#pragma once

#include "locators/LocatorHttpClient.h"
#include "locators/LocatorRequest.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <functional>

// One request to a locator service. It is sent on a worker thread, so the interface never waits
// for the network; the answer comes back on the main thread, to the completion, and the
// connection then deletes itself. Cancelling it, or deleting its parent, drops the answer: a
// screen that went away or started another search hears nothing of the old one.
class BZURLConnection : public QObject {
    Q_OBJECT

public:
    using Completion = std::function<void(const fretkit::LocatorResponse&)>;

    // Starts the request at once. Main thread.
    static QPointer<BZURLConnection> send(fretkit::LocatorRequest request, Completion completion,
                                          QObject* parent);

    const fretkit::LocatorRequest& request() const { return request_; }
    // Drops the answer and deletes the connection later. Main thread.
    void cancel();

private:
    BZURLConnection(fretkit::LocatorRequest request, Completion completion, QObject* parent);
    void finished();

    fretkit::LocatorRequest request_;
    Completion completion_;
    QFutureWatcher<fretkit::LocatorResponse> watcher_;
};
