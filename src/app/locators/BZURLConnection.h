#pragma once

#include "locators/LocatorRequest.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
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
    ~BZURLConnection() override;

    // Drops the answer and deletes the connection later. Main thread.
    void cancel();

private:
    friend class BZURLConnectionWorkers;

    BZURLConnection(Completion completion, QObject* parent);
    // Hands the answer of connection `id` to it, if it is still there. Main thread.
    static void deliver(std::uint64_t id, const fretkit::LocatorResponse& response);

    std::uint64_t id_;
    Completion completion_;
};
