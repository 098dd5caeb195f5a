#pragma once

#include "fretboard/BZFinger.h"
#include "fretboard/BZFretboard.h" // BZFinger::fretboard() needs the whole class

// The marker a fretboard shows when the scale has no playable pattern: "No playable scales" in
// white on a translucent black capsule, in the middle of the part of the neck in view, nudged
// 9 points away from the side the fret numbers are written on.
class SCNoScalesFinger : public BZFinger {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "No playable scales";
    static constexpr int kFontSize = 17;
    static constexpr int kHeight = 30;
    static constexpr int kPadding = 18;
    static constexpr int kNudge = 9;

    explicit SCNoScalesFinger(BZFretboard& fretboard);

    // Sizes the capsule to its title and centres it on the neck's visible part.
    void updateFrame() override;

    static QFont titleFont();

protected:
    void paintEvent(QPaintEvent* event) override;
};
