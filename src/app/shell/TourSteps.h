#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QWidget;
class ScreenWindow;

// What a tool screen uses to show itself in the screenshot tour: it acts as a user does (clicks,
// drags, keys delivered to the widgets) and photographs each state it wants seen. A step that
// cannot be reached ends the tour with the reason.
class TourSteps {
public:
    virtual ~TourSteps() = default;

    // Writes the next picture, named "NN-<tool>-<state>.png".
    virtual bool snap(const QString& state) = 0;
    // Runs the event loop until the condition holds and no screen is sliding; false (and the
    // tour ends) when it does not happen in time.
    virtual bool reach(const std::function<bool()>& condition, const QString& what) = 0;
    // Lets timers and animations run for a while, in real time.
    virtual void pause(int ms) = 0;

    // A press and release at a point of the widget, as a mouse click delivers them.
    virtual void tap(QWidget& widget, QPoint at) = 0;
    // A press at `from`, `steps` moves along the line, and a release at `to`.
    virtual void drag(QWidget& widget, QPoint from, QPoint to, int steps = 12) = 0;
    // A key press and release delivered to the widget that has the keyboard focus in the window.
    virtual void key(int key) = 0;

    virtual ScreenWindow& window() = 0;
};
