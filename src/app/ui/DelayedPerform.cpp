#include "DelayedPerform.h"

#include <QHash>
#include <QPointer>
#include <QTimer>

namespace {

struct Pending {
    QPointer<QTimer> timer;
    QPointer<QObject> owner;
};

QHash<DelayedPerform::Request, Pending>& pending() {
    static QHash<DelayedPerform::Request, Pending> requests;
    return requests;
}

DelayedPerform::Request nextRequest = 1;

} // namespace

DelayedPerform::Request DelayedPerform::perform(QObject* owner, double seconds,
                                                std::function<void()> work) {
    const Request request = nextRequest++;
    auto* timer = new QTimer(owner); // an owner that goes away takes its requests along
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, request, work = std::move(work)] {
        pending().remove(request);
        timer->deleteLater();
        work();
    });
    QObject::connect(timer, &QObject::destroyed, [request] { pending().remove(request); });
    pending().insert(request, Pending{timer, owner});
    timer->start(static_cast<int>(std::max(0.0, seconds) * 1000.0 + 0.5));
    return request;
}

bool DelayedPerform::cancel(Request request) {
    const auto it = pending().find(request);
    if (it == pending().end()) {
        return false;
    }
    QPointer<QTimer> timer = it->timer;
    pending().erase(it);
    if (timer) {
        timer->stop();
        timer->deleteLater();
    }
    return true;
}

int DelayedPerform::cancelPreviousPerformRequests(QObject* owner) {
    QList<Request> requests;
    for (auto it = pending().begin(); it != pending().end(); ++it) {
        if (it->owner == owner) {
            requests.append(it.key());
        }
    }
    for (const Request request : requests) {
        cancel(request);
    }
    return static_cast<int>(requests.size());
}

int DelayedPerform::pendingCount(QObject* owner) {
    int count = 0;
    for (const Pending& request : pending()) {
        count += request.owner == owner ? 1 : 0;
    }
    return count;
}
