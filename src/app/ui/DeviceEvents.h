#pragma once

#include <QEvent>

// The phone's motion and orientation, played from the window's menu and keyboard. A shake is an
// event sent to the first responder (the focus widget of the key screen); an orientation change
// posts kOrientationDidChange on the default notification centre with the new orientation under
// "orientation".
class DeviceEvents {
public:
    static constexpr const char* kOrientationDidChange = "DeviceOrientationDidChangeNotification";
    enum Orientation {
        Unknown = 0,
        Portrait = 1,
        PortraitUpsideDown = 2,
        LandscapeLeft = 3,
        LandscapeRight = 4
    };

    static QEvent::Type shakeEventType();
    // Sends a shake to the first responder; false when there is none.
    static bool shake();

    static Orientation orientation();
    // Stores the orientation and posts the notification when it changed.
    static void setOrientation(Orientation orientation);
};
