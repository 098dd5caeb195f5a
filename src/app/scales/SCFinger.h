#pragma once

#include "fretboard/BZFinger.h"
#include "fretboard/BZFretboard.h" // BZFinger::fretboard() needs the whole class

class SCFinger;

// The message a scale marker sends its fretboard's delegate when a touch begins on it.
class SCFingerTouched {
public:
    virtual ~SCFingerTouched() = default;
    virtual void fingerTouched(SCFinger& finger) = 0;
};

// A note of the shown pattern on the neck; its tag is the note's index in the pattern. A touch
// on it tells the fretboard's delegate, which plays the note; the touch then goes on to the neck
// as on any finger, so that a stroke which starts on a marker still strums.
class SCFinger : public BZFinger {
    Q_OBJECT

public:
    explicit SCFinger(BZFretboard& fretboard);

    // The halo's opacity now: 1 just highlighted, 0 faded out or never highlighted.
    double haloOpacity() const;

protected:
    void touchesBegan(const Touch& touch) override;
};
