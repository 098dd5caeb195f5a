#include "BZLifeCycle.h"

#include "BZController.h"

#include <QCoreApplication>
#include <QDBusConnection>

BZLifeCycle::BZLifeCycle(BZController& controller, QObject* parent)
    : QObject(parent), controller_(controller) {}

void BZLifeCycle::start(QWindow* window) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this,
                &BZLifeCycle::applicationWillQuit);
    }
    if (window == nullptr) {
        return;
    }
    connect(window, &QWindow::visibilityChanged, this, &BZLifeCycle::windowVisibilityChanged);
    windowVisibilityChanged(window->visibility());
}

bool BZLifeCycle::watchSystemSleep() {
    QDBusConnection bus = QDBusConnection::systemBus();
    return bus.isConnected() &&
           bus.connect(QStringLiteral("org.freedesktop.login1"),
                       QStringLiteral("/org/freedesktop/login1"),
                       QStringLiteral("org.freedesktop.login1.Manager"),
                       QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
}

void BZLifeCycle::windowVisibilityChanged(QWindow::Visibility visibility) {
    shown_ = visibility != QWindow::Hidden && visibility != QWindow::Minimized;
    update();
}

void BZLifeCycle::prepareForSleep(bool sleeping) {
    sleeping_ = sleeping;
    update();
}

void BZLifeCycle::applicationWillQuit() {
    if (!terminated_) {
        terminated_ = true;
        active_ = false;
        controller_.applicationWillTerminate();
    }
}

void BZLifeCycle::update() {
    const bool active = shown_ && !sleeping_ && !terminated_;
    if (active == active_) {
        return;
    }
    active_ = active;
    if (active) {
        controller_.applicationDidBecomeActive();
    } else {
        controller_.applicationWillResignActive();
    }
}
