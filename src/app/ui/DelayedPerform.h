#pragma once

#include <QObject>
#include <functional>

// Work run once on the main loop after a delay, on behalf of an owner object. Requests can be
// cancelled one by one or all at once for an owner, and die with their owner.
class DelayedPerform {
public:
    using Request = quint64;

    static Request perform(QObject* owner, double seconds, std::function<void()> work);
    static bool cancel(Request request);
    // Cancels every pending request of the owner; answers how many there were.
    static int cancelPreviousPerformRequests(QObject* owner);
    static int pendingCount(QObject* owner);
};
