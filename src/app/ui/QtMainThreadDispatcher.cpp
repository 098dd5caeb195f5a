#include "QtMainThreadDispatcher.h"

#include <QCoreApplication>
#include <QMetaObject>

void QtMainThreadDispatcher::post(std::function<void()> work) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || !work) {
        return; // no event loop any more: the process is ending
    }
    QMetaObject::invokeMethod(application, std::move(work), Qt::QueuedConnection);
}
