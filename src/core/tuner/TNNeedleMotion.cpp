#include "TNNeedleMotion.h"

#include <algorithm>
#include <cmath>

float TNNeedleMotion::deflectionFor(float cents) {
    const double a = std::fabs(static_cast<double>(cents)) / 10.0;
    const auto i = static_cast<unsigned>(std::min(a, 5.0));
    double angle = static_cast<double>(kDegreeMap[i]);
    if (i < 5) {
        angle += static_cast<double>(kDegreeMap[i + 1] - kDegreeMap[i]) * (a - i);
    }
    return static_cast<float>(cents < 0.0f ? -angle : angle);
}

void TNNeedleMotion::input(const std::optional<TNNote>& note) {
    if (!note) {
        leftArrowOn_ = false;
        rightArrowOn_ = false;
        resultDeflection_ = kRestDeflection;
        return;
    }
    const float cents = note->offset();
    leftArrowOn_ = cents <= kArrowCents;
    rightArrowOn_ = cents >= -kArrowCents;
    resultDeflection_ = deflectionFor(cents);
}

void TNNeedleMotion::refresh() {
    deflection_ += (resultDeflection_ - deflection_) * kApproach;
}
