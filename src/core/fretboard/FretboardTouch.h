#pragma once

#include "FretboardGeometry.h"

#include <span>
#include <vector>

namespace fretkit {

// One finger on the neck, read as a musician means it: a touch that never moves is a tap on the
// string under it; a moving touch plucks every string it crosses; a stroke across at least half
// the neck is a strum, downwards or upwards, and a stroke that turns back by more than 16 points
// is a strum there and back. Points are in the content view's coordinates.
class FretboardTouch {
public:
    static constexpr float kTapHalfWidth = 16.0f;  // a tap counts strictly within this of a string
    static constexpr float kStrumReversal = 16.0f; // back-travel that makes a strum go and return

    struct Point {
        float x = 0.0f;
        float y = 0.0f;
    };
    struct String {
        float position = 0.0f; // across the neck
        bool muted = false;
    };
    // What a touch needs to know of the neck it falls on.
    struct Neck {
        const FretboardGeometry& geometry;
        std::span<const String> strings;
        float width = 0.0f;
        float height = 0.0f;
    };
    struct Event {
        enum class Kind { Tap, Pluck, Strum };
        Kind kind = Kind::Tap;
        unsigned string = 0;
        unsigned fret = 0;
        // Strums: 1 from string 0 towards string 5, -1 back; 2 and -2 when the stroke turned
        // back. The sign means the same in every layout.
        int direction = 0;
        bool operator==(const Event&) const = default;
    };

    // `scrollEnabled`: whether the neck could scroll as the touch began; it is kept so that the
    // owner can turn scrolling back on when the touch ends (a stroke never scrolls the neck).
    void began(Point location, bool scrollEnabled);
    // The plucks of one move, in string order.
    std::vector<Event> moved(Point previous, Point current, const Neck& neck);
    // The tap of a touch that never moved, or the strum of a stroke.
    std::vector<Event> ended(Point location, const Neck& neck);
    // The touch went elsewhere (the view was hidden): nothing is reported.
    void cancelled();

    bool touchMoved() const { return touchMoved_; }
    bool scrollWasEnabled() const { return scrollWasEnabled_; }
    Point touchStart() const { return touchStart_; }
    float swipeVertex() const { return swipeVertex_; }
    // 0 until the stroke has crossed half the neck; then 1 or -1, in the view's own terms (not
    // yet corrected for the layout), and 2 or -2 once it turned back.
    int swipeDirection() const { return swipeDirection_; }

private:
    void strum(float across, const Neck& neck);
    void reset();

    bool touchMoved_ = false;
    bool scrollWasEnabled_ = false;
    Point touchStart_;
    float swipeVertex_ = 0.0f;
    int swipeDirection_ = 0;
};

} // namespace fretkit
