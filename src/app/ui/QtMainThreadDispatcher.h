#pragma once

#include "foundation/MainThread.h"

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

// Runs the core's main-thread work on the Qt event loop. Create it on the main thread.
//
// Work waits in a queue of our own, guarded by a standard mutex; Qt only carries a wake-up call
// with no data of ours. That keeps the hand-over visible to the thread sanitizer, which cannot see
// the synchronisation inside Qt's own event queue.
class QtMainThreadDispatcher final : public QObject, public fretkit::MainThreadDispatcher {
    Q_OBJECT

public:
    void post(std::function<void()> work) override;

private slots:
    void drain();

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
    bool wakeScheduled_ = false;
};
