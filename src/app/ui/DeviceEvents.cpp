#include "DeviceEvents.h"

#include "Responder.h"
#include "foundation/NotificationCenter.h"

namespace {

DeviceEvents::Orientation currentOrientation = DeviceEvents::Portrait;

} // namespace

bool DeviceEvents::shake() {
    ResponderChain::sendMotion(ResponderChain::Phase::Began, Responder::Motion::Shake);
    return ResponderChain::sendMotion(ResponderChain::Phase::Ended, Responder::Motion::Shake) !=
           nullptr;
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
