#pragma once

class BZFretboard;

// A fretboard's delegate, usually the screen that shows it. Every message is optional: a
// delegate answers one by also deriving from its interface below, and the fretboard sends a
// message only to a delegate that answers it. The first argument is always the fretboard.
class BZFretboardDelegate {
public:
    virtual ~BZFretboardDelegate() = default;
};

// A touch ended without having moved, on a string that is not muted.
class BZFretboardDidTapString {
public:
    virtual ~BZFretboardDidTapString() = default;
    virtual void fretboardDidTapString(BZFretboard& fretboard, unsigned string, unsigned fret) = 0;
};

// A moving touch crossed a string that is not muted.
class BZFretboardDidPluckString {
public:
    virtual ~BZFretboardDidPluckString() = default;
    virtual void fretboardDidPluckString(BZFretboard& fretboard, unsigned string,
                                         unsigned fret) = 0;
};

// A touch ended after a stroke across the strings: 1 from string 0 towards string 5, -1 the
// other way, 2 and -2 when the stroke turned back on its way. The sign means the same whatever
// the neck's orientation and hand.
class BZFretboardDidStrum {
public:
    virtual ~BZFretboardDidStrum() = default;
    virtual void fretboardDidStrum(BZFretboard& fretboard, int direction) = 0;
};

// The phone was shaken while the fretboard was first responder.
class BZFretboardDidShake {
public:
    virtual ~BZFretboardDidShake() = default;
    virtual void fretboardDidShake(BZFretboard& fretboard) = 0;
};
