#pragma once

#include "host/AudioTypes.h"

#include <cstdint>

// The time of a callback: its sample time and host time, copied at creation.
class QVAudioTimeStamp {
public:
    QVAudioTimeStamp() = default;
    explicit QVAudioTimeStamp(const AudioTimeStamp& timeStamp) : timeStamp_(timeStamp) {}

    const AudioTimeStamp& timeStamp() const { return timeStamp_; }
    double sample() const { return timeStamp_.mSampleTime; }
    std::uint64_t hostTime() const { return timeStamp_.mHostTime; }
    // The host time converted by the shared time base.
    std::uint64_t nanoseconds() const;

private:
    AudioTimeStamp timeStamp_{};
};
