#include "CFFinger.h"

#include "foundation/TimerScheduler.h"
#include "fretboard/BZFretboard.h"
#include "fretboard/BZFretboardDelegate.h"

#include <QMouseEvent>

CFFinger::CFFinger(BZFretboard& fretboard, fretkit::TimerScheduler& timers)
    : BZFinger(fretboard), timers_(timers) {}

CFFinger::~CFFinger() {
    cancelHold();
}

bool CFFinger::isHolding() const {
    return hold_ && hold_->isValid();
}

CFFingerDelegate* CFFinger::delegate() const {
    BZFretboard* neck = fretboard();
    return neck ? dynamic_cast<CFFingerDelegate*>(neck->fretboardDelegate()) : nullptr;
}

void CFFinger::cancelHold() {
    if (hold_) {
        hold_->invalidate();
        hold_.reset();
    }
}

void CFFinger::setNeckScrolling(bool enabled) {
    if (BZFretboard* neck = fretboard()) {
        neck->setScrollEnabled(enabled);
    }
}

void CFFinger::remove() {
    cancelHold();
    didRemove_ = true;
    if (CFFingerDelegate* screen = delegate()) {
        screen->removeFinger(*this);
    }
    setNeckScrolling(true);
}

void CFFinger::touchesBegan(const Touch&) {
    didRemove_ = false;
    setNeckScrolling(false);
    cancelHold();
    // A one-time timer: it ends itself when it fires.
    hold_ = timers_.scheduleRepeating(kHoldDuration, [this] { remove(); });
}

void CFFinger::touchesMoved(const Touch&) {
    if (!didRemove_) {
        cancelHold();
    }
}

void CFFinger::touchesEnded(const Touch&) {
    if (didRemove_) {
        return;
    }
    cancelHold();
    setNeckScrolling(true);
    if (CFFingerDelegate* screen = delegate()) {
        screen->playString(static_cast<unsigned>(tag()));
    }
}

void CFFinger::touchesCancelled(const Touch& touch) {
    touchesEnded(touch);
}

void CFFinger::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && !isTracking()) {
        event->accept();
        remove();
        return;
    }
    BZFinger::mousePressEvent(event);
}
