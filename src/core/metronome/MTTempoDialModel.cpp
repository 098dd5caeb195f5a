#include "MTTempoDialModel.h"

#include <algorithm>
#include <cmath>

bool MTTempoDialModel::setOffset(std::int32_t offset) {
    if (offset == offset_) {
        return false;
    }
    offset_ = offset % kOffsetPeriod;
    return true;
}

void MTTempoDialModel::pushTouch(float x, double time) {
    touchX_[touchCount_ % kTouchSamples] = x;
    touchTime_[touchCount_ % kTouchSamples] = time;
    ++touchCount_;
}

std::int32_t MTTempoDialModel::stepsTowards(float position) {
    const float d = position - lastNotch_;
    if (std::fabs(d) < kStepLength) {
        return 0;
    }
    const auto steps = static_cast<std::int32_t>(d / kStepLength);
    lastNotch_ += kStepLength * static_cast<float>(steps);
    return steps;
}

void MTTempoDialModel::beginTouch(float x, double time) {
    coasting_ = false;
    lastNotch_ = x;
    touchCount_ = 0;
    touchX_.fill(0.0f);
    touchTime_.fill(0.0);
    pushTouch(x, time);
}

std::int32_t MTTempoDialModel::moveTouch(float x, double time) {
    const float previous = touchX_[(touchCount_ + kTouchSamples - 1) % kTouchSamples];
    pushTouch(x, time);
    const std::int32_t steps = stepsTowards(x);
    setOffset(static_cast<std::int32_t>(static_cast<float>(offset_) + (x - previous)));
    return steps;
}

bool MTTempoDialModel::endTouch(float x, double time) {
    pushTouch(x, time);
    const std::size_t n = touchCount_;
    const std::size_t oldest = n > 9 ? n % kTouchSamples : 0;
    const std::size_t newest = n > 9 ? (n + 9) % kTouchSamples : n - 1;
    const double elapsed = touchTime_[newest] - touchTime_[oldest];
    // Samples without a time span carry no speed (and must not divide by zero).
    const double velocity =
        elapsed > 0.0 ? static_cast<double>(touchX_[newest] - touchX_[oldest]) / elapsed : 0.0;
    speed_ = std::clamp(velocity / (5.0 * static_cast<double>(std::min<std::size_t>(n, 10))),
                        -kMaximumSpeed, kMaximumSpeed);
    travel_ = 0.0f;
    lastNotch_ = 0.0f;
    coasting_ = std::fabs(speed_) > kCoastSpeed;
    return coasting_;
}

std::int32_t MTTempoDialModel::step(bool& done) {
    if (!coasting_) {
        done = true;
        return 0;
    }
    travel_ += static_cast<float>(speed_);
    const std::int32_t steps = stepsTowards(travel_);
    setOffset(static_cast<std::int32_t>(static_cast<double>(offset_) + speed_));
    speed_ /= kDecay;
    coasting_ = std::fabs(speed_) >= 1.0;
    done = !coasting_;
    return steps;
}
