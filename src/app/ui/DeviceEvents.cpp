#include "DeviceEvents.h"

#include "PhoneScreen.h"
#include "foundation/NotificationCenter.h"

#include <QCoreApplication>

namespace {

DeviceEvents::Orientation currentOrientation = DeviceEvents::Portrait;

} // namespace

QEvent::Type DeviceEvents::shakeEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool DeviceEvents::shake() {
    PhoneScreen* screen = PhoneScreen::keyScreen();
    QWidget* responder = screen ? screen->focusWidget() : nullptr;
    if (!responder) {
        return false;
    }
    QEvent event(shakeEventType());
    QCoreApplication::sendEvent(responder, &event);
    return true;
}

DeviceEvents::Orientation DeviceEvents::orientation() {
    return currentOrientation;
}

void DeviceEvents::setOrientation(Orientation orientation) {
    if (orientation == currentOrientation) {
        return;
    }
    currentOrientation = orientation;
    fretkit::PlistValue info = fretkit::PlistValue::dictionary(
        {{"orientation", fretkit::PlistValue(static_cast<int>(orientation))}});
    fretkit::NotificationCenter::defaultCenter().postNotification(kOrientationDidChange, nullptr,
                                                                  std::move(info));
}
