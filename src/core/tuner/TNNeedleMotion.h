#pragma once

#include "TNNote.h"

#include <optional>

// How the needle display moves: the needle swings toward the angle of the note's offset in
// cents (slightly uneven, as the dial's scale is printed) and closes a tenth of the remaining
// distance each tick (60 a second). Two arrows tell flat from sharp; both are lit within 5 cents.
// Without a note the needle falls to the far left, where it also rests before the first note.
class TNNeedleMotion {
public:
    static constexpr double kTickInterval = 1.0 / 60.0; // seconds
    // Degrees for 0, 10, 20, 30, 40 and 50 cents.
    static constexpr float kDegreeMap[6] = {0.0f, 10.8f, 21.2f, 31.7f, 41.4f, 51.5f};
    static constexpr float kRestDeflection = -51.5f;
    static constexpr float kApproach = 0.1f;
    static constexpr float kArrowCents = 5.0f;

    // The needle's angle in degrees for an offset in cents; 0 is upright, negative is left
    // (flat). Offsets beyond 50 cents stay at the end of the scale.
    static float deflectionFor(float cents);

    void input(const std::optional<TNNote>& note);
    void refresh();

    float deflection() const { return deflection_; }
    float resultDeflection() const { return resultDeflection_; }
    bool leftArrowOn() const { return leftArrowOn_; }
    bool rightArrowOn() const { return rightArrowOn_; }

private:
    float deflection_ = kRestDeflection;
    float resultDeflection_ = kRestDeflection;
    bool leftArrowOn_ = false;
    bool rightArrowOn_ = false;
};
