#pragma once

#include <QObject>

// Something that can take part in the responder chain: a view, a screen, the window or the
// application. Motion events (shakes) go first to the first responder and then from responder
// to responder (view, its superviews, their screen, the screens that hold or present it, the
// window, the application) until one of them handles it.
class Responder {
public:
    enum class Motion { None, Shake };

    virtual ~Responder() = default;

    virtual bool canBecomeFirstResponder() const { return false; }
    // Each answers whether it handled the motion; by default the next responder gets it.
    virtual bool motionBegan(Motion) { return false; }
    virtual bool motionEnded(Motion) { return false; }
    virtual bool motionCancelled(Motion) { return false; }
};

// The first responder of the key screen and the walk along the chain.
class ResponderChain {
public:
    enum class Phase { Began, Ended, Cancelled };

    // Makes `object` the first responder when it is a Responder that can become one (a widget
    // also takes the keyboard focus); false otherwise, and the first responder stays.
    static bool becomeFirstResponder(QObject* object);
    // Gives up the place when `object` holds it.
    static bool resignFirstResponder(QObject* object);
    static bool isFirstResponder(const QObject* object);
    // Where motions start: the first responder while it exists and, for a view, is shown; else
    // the key screen's focus widget; else the key screen itself. Null without a screen.
    static QObject* firstResponder();

    // The responder after `object`: a screen's view leads to its screen, a view to its
    // superview; a presented screen to the one that presented it, a screen in a navigation
    // stack to the stack, any other screen to its view's superview; the top of the widgets to
    // the application responder.
    static QObject* nextResponder(QObject* object);

    // The last link of every chain (the application); not owned.
    static void setApplicationResponder(QObject* responder);

    // Sends a motion along the chain from the first responder; answers the object that handled
    // it, or null.
    static QObject* sendMotion(Phase phase, Responder::Motion motion);
};
