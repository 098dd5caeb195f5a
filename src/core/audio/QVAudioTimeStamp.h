#pragma once

#include "host/AudioTypes.h"

#include <cstdint>

// The time of a callback: its sample time and host time, copied at creation.
class QVAudioTimeStamp {
public:
    QVAudioTimeStamp() = default;
    explicit QVAudioTimeStamp(const fretkit::host::AudioTimeStamp& timeStamp)
        : timeStamp_(timeStamp) {}

    const fretkit::host::AudioTimeStamp& timeStamp() const { return timeStamp_; }
    double sample() const { return timeStamp_.mSampleTime; }
    std::uint64_t hostTime() const { return timeStamp_.mHostTime; }
    // The host time converted by the shared time base.
    std::uint64_t nanoseconds() const;

private:
    fretkit::host::AudioTimeStamp timeStamp_{};
};
