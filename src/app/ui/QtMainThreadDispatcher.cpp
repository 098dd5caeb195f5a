#include "QtMainThreadDispatcher.h"

#include <QMetaObject>
#include <utility>

void QtMainThreadDispatcher::post(std::function<void()> work) {
    if (!work) {
        return;
    }
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
        wake = !std::exchange(wakeScheduled_, true);
    }
    if (wake) {
        QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
    }
}

void QtMainThreadDispatcher::drain() {
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(queue_);
        wakeScheduled_ = false;
    }
    for (auto& work : batch) {
        work();
    }
}
