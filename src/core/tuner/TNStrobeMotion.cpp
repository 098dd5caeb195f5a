#include "TNStrobeMotion.h"

#include <algorithm>
#include <cmath>

void TNStrobeMotion::input(const std::optional<TNNote>& note) {
    if (note) {
        resultRotationRate_ = std::min(note->chromaticOffset() / 50.0f * kFullRate, kFullRate);
        // A ring at rest takes the new speed at once rather than easing into it.
        if (rotationRate_ == 0.0f) {
            rotationRate_ = resultRotationRate_;
        }
    } else {
        resultRotationRate_ = 0.0f;
        rotationRate_ = 0.0f;
    }
    lastNote_ = note;
}

void TNStrobeMotion::refresh() {
    if (!lastNote_) {
        ring_ = Ring::Gray;
        return;
    }
    ring_ = std::fabs(lastNote_->chromaticOffset()) <= kInTuneCents ? Ring::Green : Ring::Blue;
    // Wrapped, so that hours of turning lose no precision; the picture is the same.
    rotation_ = std::fmod(rotation_ + rotationRate_, 360.0f);
    if (rotation_ < 0.0f) {
        rotation_ += 360.0f;
    }
    rotationRate_ += (resultRotationRate_ - rotationRate_) * kEase;
}
