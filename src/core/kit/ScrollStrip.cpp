#include "ScrollStrip.h"

#include <algorithm>
#include <cmath>

namespace fretkit {

float ScrollStrip::slotWidth(float measuredWidth, float spacing) {
    return std::max(measuredWidth, kMinimumItemWidth) + spacing;
}

float ScrollStrip::cubicEaseOut(float input) {
    const double x = std::clamp(static_cast<double>(input), 0.0, 1.0);
    const double a = std::cbrt(2.0 * x + std::sqrt(4.0 * x * x + 1.0));
    const double t = a - 1.0 / a;
    return static_cast<float>(1.5 * t - 0.5 * t * t * t);
}

void ScrollStrip::setWidths(std::vector<float> widths) {
    widths_ = std::move(widths);
    notches_.assign(widths_.size(), 0.0f);
    scrollerLength_ = 0;
    for (std::size_t i = 0; i < widths_.size(); ++i) {
        if (i > 0) {
            notches_[i] = notches_[i - 1] + widths_[i - 1] / 2.0f + widths_[i] / 2.0f;
        }
        scrollerLength_ =
            static_cast<std::int32_t>(static_cast<float>(scrollerLength_) + widths_[i]);
    }
}

std::int32_t ScrollStrip::wrapped(std::int32_t s) const {
    if (!wraps_ || scrollerLength_ <= 0) {
        return s; // an empty strip has no period to wrap around
    }
    s %= scrollerLength_;
    return s < 0 ? s + scrollerLength_ : s;
}

bool ScrollStrip::setScroll(std::int32_t s) {
    s = wrapped(s);
    const std::int32_t old = scroll_;
    bool crossed = false;
    for (const float notch : notches_) {
        const auto n = static_cast<std::int32_t>(notch);
        crossed = crossed || (s <= n && n < old) || (old < n && n <= s);
    }
    scroll_ = s;
    return crossed;
}

std::int32_t ScrollStrip::selectedIndex() const {
    for (std::size_t i = 0; i < notches_.size(); ++i) {
        if (static_cast<std::int32_t>(notches_[i]) == scroll_) {
            return static_cast<std::int32_t>(i);
        }
    }
    return kNotFound;
}

float ScrollStrip::nearestNotchPosition(float p) const {
    if (notches_.empty()) {
        return p;
    }
    const auto i = static_cast<float>(wrapped(static_cast<std::int32_t>(p)));
    float chosen = notches_[0];
    for (const float notch : notches_) {
        if (std::fabs(notch - i) < std::fabs(chosen - i)) {
            chosen = notch;
        }
    }
    if (wraps_ && scrollerLength_ > 0) {
        const float nextPeriod = static_cast<float>(scrollerLength_) + notches_[0];
        if (std::fabs(nextPeriod - i) < std::fabs(chosen - i)) {
            chosen = nextPeriod;
        }
    }
    return p - (i - chosen);
}

std::vector<std::int32_t> ScrollStrip::positions(float midX, float maxX) const {
    std::vector<std::int32_t> result(widths_.size(), kNotFound);
    if (widths_.empty()) {
        return result;
    }
    auto x = static_cast<std::int32_t>(midX - static_cast<float>(scroll_) - widths_[0] / 2.0f);
    const auto right = static_cast<std::int32_t>(maxX);
    const bool wrapping = wraps_ && scrollerLength_ > 0;
    for (std::size_t i = 0; i < widths_.size(); ++i) {
        std::int32_t p = x;
        if (wrapping) {
            while (p > right) {
                p -= scrollerLength_;
            }
            while (static_cast<float>(p) < -widths_[i]) {
                p += scrollerLength_;
            }
        }
        result[i] = p > right ? kNotFound : p;
        x = static_cast<std::int32_t>(static_cast<float>(x) + widths_[i]);
    }
    return result;
}

void ScrollStrip::beginTouch(float x, double time) {
    touchX_.fill(0.0f);
    touchTime_.fill(0.0);
    touchIndex_ = 0;
    pushTouch(x, time);
}

void ScrollStrip::pushTouch(float x, double time) {
    touchX_[touchIndex_] = x;
    touchTime_[touchIndex_] = time;
    touchIndex_ = (touchIndex_ + 1) % kTouchSamples;
}

float ScrollStrip::lastTouchX() const {
    return touchX_[(touchIndex_ + kTouchSamples - 1) % kTouchSamples];
}

double ScrollStrip::releaseSpeed() const {
    const std::size_t newest = (touchIndex_ + kTouchSamples - 1) % kTouchSamples;
    const std::size_t oldest = touchIndex_;
    const double elapsed = touchTime_[newest] - touchTime_[oldest];
    if (!(elapsed > 0.0)) {
        return 0.0; // samples without a time span carry no speed (and must not divide by 0)
    }
    return static_cast<double>(touchX_[newest] - touchX_[oldest]) / elapsed / 30.0;
}

ScrollStrip::Glide ScrollStrip::releaseGlide(double now) const {
    Glide glide;
    glide.speed = releaseSpeed();
    glide.start = static_cast<float>(scroll_);
    glide.startTime = now;
    if (std::fabs(glide.speed) < 5.0) {
        glide.duration = 0.25;
        glide.end = std::floor(nearestNotchPosition(static_cast<float>(scroll_)));
        return glide;
    }
    double target = scroll_;
    for (int k = 1; k <= 29; ++k) {
        target = std::trunc(target - glide.speed * std::pow(0.93, k));
    }
    glide.duration = 1.0;
    glide.end = std::floor(nearestNotchPosition(static_cast<float>(target)));
    return glide;
}

std::int32_t ScrollStrip::glideValue(const Glide& glide, double now, bool& done) {
    const double elapsed = now - glide.startTime;
    done = !(elapsed < glide.duration);
    if (done) {
        return static_cast<std::int32_t>(glide.end);
    }
    const double f = std::min(elapsed / glide.duration, 1.0);
    const float eased = cubicEaseOut(static_cast<float>(f));
    return static_cast<std::int32_t>(glide.start + (glide.end - glide.start) * eased);
}

} // namespace fretkit
