#include "FretboardTouch.h"

#include <cmath>

namespace fretkit {

namespace {

float along(FretboardTouch::Point point, const FretboardGeometry& geometry) {
    return geometry.horizontal() ? point.x : point.y;
}

float across(FretboardTouch::Point point, const FretboardGeometry& geometry) {
    return geometry.horizontal() ? point.y : point.x;
}

bool onNeck(FretboardTouch::Point point, const FretboardTouch::Neck& neck) {
    const float position = along(point, neck.geometry);
    const float end = neck.geometry.horizontal() ? neck.width : neck.height;
    return position >= 0.0f && position <= end;
}

} // namespace

void FretboardTouch::began(Point location, bool scrollEnabled) {
    touchStart_ = location;
    touchMoved_ = false;
    swipeDirection_ = 0;
    scrollWasEnabled_ = scrollEnabled;
}

std::vector<FretboardTouch::Event> FretboardTouch::moved(Point previous, Point current,
                                                         const Neck& neck) {
    touchMoved_ = true;
    std::vector<Event> events;
    if (!onNeck(previous, neck) || !onNeck(current, neck)) {
        return events;
    }
    const float from = across(previous, neck.geometry);
    const float to = across(current, neck.geometry);
    const unsigned fret = neck.geometry.fretForPosition(along(current, neck.geometry));
    for (unsigned index = 0; index < neck.strings.size(); ++index) {
        const String& string = neck.strings[index];
        const float p = string.position;
        const bool crossed = (from >= p && p > to) || (from < p && p <= to);
        if (!string.muted && crossed) {
            events.push_back({Event::Kind::Pluck, index, fret, 0});
        }
    }
    strum(to, neck);
    return events;
}

void FretboardTouch::strum(float across, const Neck& neck) {
    const float start = neck.geometry.horizontal() ? touchStart_.y : touchStart_.x;
    const float half = (neck.geometry.horizontal() ? neck.height : neck.width) / 2.0f;
    if (swipeDirection_ == 0 && std::fabs(start - across) >= half) {
        swipeDirection_ = start > across ? 1 : -1;
        swipeVertex_ = across;
    }
    if (swipeDirection_ == 1) {
        swipeVertex_ = std::min(swipeVertex_, across);
        if (across > swipeVertex_ + kStrumReversal) {
            swipeDirection_ = 2;
        }
    } else if (swipeDirection_ == -1) {
        swipeVertex_ = std::max(swipeVertex_, across);
        if (across < swipeVertex_ - kStrumReversal) {
            swipeDirection_ = -2;
        }
    }
}

std::vector<FretboardTouch::Event> FretboardTouch::ended(Point location, const Neck& neck) {
    std::vector<Event> events;
    if (!touchMoved_ && onNeck(location, neck)) {
        const float at = across(location, neck.geometry);
        for (unsigned index = 0; index < neck.strings.size(); ++index) {
            const String& string = neck.strings[index];
            if (!string.muted && string.position - kTapHalfWidth < at &&
                at < string.position + kTapHalfWidth) {
                events.push_back({Event::Kind::Tap, index,
                                  neck.geometry.fretForPosition(along(location, neck.geometry)),
                                  0});
            }
        }
    }
    if (swipeDirection_ != 0) {
        // Upright and right-handed, string 0 lies at the left: a stroke towards string 5 runs
        // the other way across the view than in the other layouts.
        const bool flipped = !neck.geometry.horizontal() && !neck.geometry.leftHanded();
        events.push_back({Event::Kind::Strum, 0, 0, flipped ? -swipeDirection_ : swipeDirection_});
    }
    reset();
    return events;
}

void FretboardTouch::cancelled() {
    reset();
}

void FretboardTouch::reset() {
    touchStart_ = {};
    swipeDirection_ = 0;
}

} // namespace fretkit
