#pragma once

#include "fretboard/BZFinger.h"
#include "fretboard/BZFretboard.h" // BZFinger::fretboard() needs the whole class

#include <memory>

class CFFinger;

namespace fretkit {
class RepeatingTimer;
class TimerScheduler;
} // namespace fretkit

// What a chord finder finger asks of its fretboard's delegate (the screen).
class CFFingerDelegate {
public:
    virtual ~CFFingerDelegate() = default;
    virtual void playString(unsigned string) = 0;
    virtual void removeFinger(CFFinger& finger) = 0;
};

// The chord finder's finger: a plain yellow disc whose tag is its string. A short press plays
// the string; a press held still for half a second removes the finger; a press that moves
// neither removes nor plays until it ends, and then plays. A right click removes it at once.
// While a press lasts the neck does not scroll, and touches on the finger never reach the neck:
// a finger is moved by tapping its string at another fret.
class CFFinger : public BZFinger {
    Q_OBJECT

public:
    static constexpr double kHoldDuration = 0.5; // seconds

    // The hold is timed by `timers` (the app's, or a test's clock).
    CFFinger(BZFretboard& fretboard, fretkit::TimerScheduler& timers);
    ~CFFinger() override;

    // Whether the press under way has removed the finger.
    bool didRemove() const { return didRemove_; }
    bool isHolding() const;
    // Removes the finger as a hold does.
    void remove();

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    // A press taken away ends as a press that ended there.
    void touchesCancelled(const Touch& touch) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CFFingerDelegate* delegate() const;
    void cancelHold();
    void setNeckScrolling(bool enabled);

    fretkit::TimerScheduler& timers_;
    std::shared_ptr<fretkit::RepeatingTimer> hold_;
    bool didRemove_ = false;
};
