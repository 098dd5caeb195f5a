#pragma once

#include "TNNote.h"

#include <optional>

// How the strobe display moves: a ring that turns at a speed proportional to the note's
// deviation from the nearest chromatic note and stands still when it is in tune. Each tick (30 a
// second) turns the ring by the current speed and eases the speed toward the latest note's; the
// ring is green within 3 cents, blue outside, gray without a note.
class TNStrobeMotion {
public:
    enum class Ring { Gray, Green, Blue };

    static constexpr double kTickInterval = 1.0 / 30.0; // seconds
    // Degrees per tick at 50 cents sharp: 420 degrees a second.
    static constexpr float kFullRate = 14.0f;
    static constexpr float kEase = 0.4f;
    static constexpr float kInTuneCents = 3.0f;

    // A new note, or none: without one the ring stops at once where it is.
    void input(const std::optional<TNNote>& note);
    // One tick.
    void refresh();

    Ring ring() const { return ring_; }
    // Degrees, clockwise; kept within [0, 360).
    float rotation() const { return rotation_; }
    float rotationRate() const { return rotationRate_; }
    float resultRotationRate() const { return resultRotationRate_; }
    const std::optional<TNNote>& lastNote() const { return lastNote_; }

private:
    std::optional<TNNote> lastNote_;
    Ring ring_ = Ring::Gray;
    float rotation_ = 0.0f;
    float rotationRate_ = 0.0f;
    float resultRotationRate_ = 0.0f;
};
