#include "FretboardGeometry.h"

#include <algorithm>
#include <cmath>

namespace fretkit {

namespace {

constexpr unsigned kLastCountedFret = 64;

// 2^(-1/12) in double precision; each space is rounded back to float before the next, so that
// every caller gets the same positions to the last bit.
const double kFretRatio = std::pow(2.0, -1.0 / 12.0);

// Adds `count` spaces, the first `first` wide, each the previous times the ratio; answers the
// sum and leaves the next space in `next`.
float sumOfSpaces(float start, float first, unsigned count, float& next) {
    float position = start;
    float space = first;
    for (unsigned i = 0; i < count; ++i) {
        position += space;
        space = static_cast<float>(static_cast<double>(space) * kFretRatio);
    }
    next = space;
    return position;
}

} // namespace

bool FretboardGeometry::isDotFret(unsigned fret) {
    return std::find(kDotFrets.begin(), kDotFrets.end(), fret) != kDotFrets.end();
}

float FretboardGeometry::unmirroredFret(unsigned fret) const {
    fret = std::min(fret, kLastCountedFret);
    const float start = kNeckStart + nutOffset_;
    if (!horizontal_) {
        return start + static_cast<float>(fret) * fretWidth_;
    }
    float next = 0.0f;
    return sumOfSpaces(start, fretWidth_, fret, next);
}

float FretboardGeometry::unmirroredFinger(unsigned fret) const {
    fret = std::min(fret, kLastCountedFret);
    if (fret == 0) {
        return nutOffset_;
    }
    const float start = kNeckStart + nutOffset_;
    if (!horizontal_) {
        return start + fretWidth_ / 2.0f + static_cast<float>(fret - 1) * fretWidth_;
    }
    float space = 0.0f;
    const float wire = sumOfSpaces(start, fretWidth_, fret - 1, space);
    return wire + space / 2.0f;
}

float FretboardGeometry::mirrored(float position) const {
    return horizontal_ && leftHanded_ ? length() - position : position;
}

float FretboardGeometry::positionOfFret(unsigned fret) const {
    return mirrored(unmirroredFret(fret));
}

float FretboardGeometry::positionOfFinger(unsigned fret) const {
    return mirrored(unmirroredFinger(fret));
}

float FretboardGeometry::length() const {
    const float start = kNeckStart + nutOffset_;
    float neck = 0.0f;
    if (horizontal_) {
        float next = 0.0f;
        neck = sumOfSpaces(start, fretWidth_, kFrets, next);
    } else {
        neck = start + static_cast<float>(kFrets) * fretWidth_;
    }
    return std::min(neck + kTail, kMaximumLength);
}

unsigned FretboardGeometry::fretForPosition(float along) const {
    unsigned best = 0;
    float bestDistance = std::fabs(positionOfFinger(0) - along);
    for (unsigned fret = 1; fret < kFrets; ++fret) {
        const float distance = std::fabs(positionOfFinger(fret) - along);
        if (distance < bestDistance) {
            best = fret;
            bestDistance = distance;
        }
    }
    return best;
}

float FretboardGeometry::stringPosition(unsigned index) const {
    const float step = kStringPitch * static_cast<float>(index);
    if (horizontal_) {
        return 195.0f - step;
    }
    return leftHanded_ ? 215.0f - step : 50.0f + step;
}

FretboardGeometry::Offset FretboardGeometry::scrollOffsetForFret(unsigned fret, float contentWidth,
                                                                 float contentHeight,
                                                                 float boundsWidth,
                                                                 float boundsHeight) const {
    const bool farEnd = horizontal_ && leftHanded_;
    if (fret == 0) {
        return farEnd ? Offset{contentWidth - boundsWidth, 0.0f} : Offset{};
    }
    const float wire = positionOfFret(fret - 1);
    if (!horizontal_) {
        return {0.0f, std::min(wire - kScrollMargin, contentHeight - boundsHeight)};
    }
    if (!leftHanded_) {
        return {std::min(wire - kScrollMargin, contentWidth - boundsWidth), 0.0f};
    }
    // Mirrored: the fret wire ends up the margin inside the right edge.
    return {std::max(0.0f, wire + kScrollMargin - boundsWidth), 0.0f};
}

} // namespace fretkit
