#pragma once

// The phone's motion and orientation, played from the window's menu and keyboard. A shake is a
// motion that begins and ends; each goes along the responder chain from the first responder
// until a responder handles it. An orientation change posts kOrientationDidChange on the default
// notification centre with the new orientation under "orientation".
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

    // Sends a shake (motion began, then ended) along the responder chain; true when a responder
    // handled its end.
    static bool shake();

    static Orientation orientation();
    // Stores the orientation and posts the notification when it changed.
    static void setOrientation(Orientation orientation);
};
