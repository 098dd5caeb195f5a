#include "CHStringPlayer.h"

#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"

#include <cmath>
#include <cstring>

namespace fretkit {

void CHStringPlayer::pluckString(unsigned string) {
    if (string < kStrings) {
        std::lock_guard lock(*lock_);
        flags_[string] = kPlay;
    }
}

void CHStringPlayer::stopString(unsigned string) {
    if (string < kStrings) {
        std::lock_guard lock(*lock_);
        flags_[string] = kStop;
    }
}

void CHStringPlayer::stopPlayback() {
    std::lock_guard lock(*lock_);
    flags_.fill(kStop);
}

CHStringPlayer::Sample CHStringPlayer::setSample(unsigned string, Sample sample) {
    std::lock_guard lock(*lock_);
    return exchangeSampleLocked(string, std::move(sample));
}

CHStringPlayer::Sample CHStringPlayer::exchangeSampleLocked(unsigned string, Sample sample) {
    if (string >= kStrings) {
        return sample;
    }
    samples_[string].swap(sample);
    return sample;
}

bool CHStringPlayer::isSounding(unsigned string) const {
    return string < kStrings && (sounding_.load(std::memory_order_relaxed) & (1u << string)) != 0;
}

bool CHStringPlayer::renderAudioToBuffer(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp) {
    const std::uint32_t frames = buffer.frames();
    std::memset(buffer.channel(0), 0, frames * sizeof(std::int16_t));
    bool wrote = false;
    unsigned sounding = 0;
    for (unsigned s = 0; s < kStrings; ++s) {
        wrote = renderString(s, buffer, timeStamp.sample()) || wrote;
        sounding |= starts_[s] != kNotSounding ? 1u << s : 0u;
    }
    sounding_.store(sounding, std::memory_order_relaxed);
    if (buffer.numberOfChannels() > 1) {
        std::memcpy(buffer.channel(1), buffer.channel(0), frames * sizeof(std::int16_t));
    }
    return wrote;
}

bool CHStringPlayer::renderString(unsigned s, QVAudioBuffer& buffer, double time) {
    const QVAudioBuffer* sample = samples_[s].get();
    if (sample == nullptr && silentFrames_ == 0) {
        return false; // no sample: the string is left alone, its requests wait
    }
    const double length = sample != nullptr ? sample->frames() : silentFrames_;
    double& start = starts_[s];
    bool fading = false;
    switch (flags_[s]) {
    case kStop:
        start = kNotSounding;
        flags_[s] = kIdle;
        break;
    case kPlay:
        if (start != kNotSounding && time - start <= length) {
            flags_[s] = kRestart; // the old sound fades out in this buffer
            fading = true;
        } else {
            start = time;
            flags_[s] = kIdle;
        }
        break;
    case kRestart:
        start = time;
        flags_[s] = kIdle;
        break;
    default:
        break;
    }
    if (start == kNotSounding || time - start > length) {
        return false;
    }
    if (sample == nullptr) {
        return false; // sounding, but silent until its sample arrives
    }
    const std::uint32_t n = buffer.frames();
    const auto at = static_cast<std::uint32_t>(time - start);
    const auto count = static_cast<std::uint32_t>(length);
    const std::int16_t* source = sample->channel(0);
    std::int16_t* out = buffer.channel(0);
    // Frame 0 of a sample is never played: a string starts at its second frame.
    for (std::uint32_t j = 0; j < n; ++j) {
        const std::uint32_t p = at + j;
        if (p == 0 || p >= count) {
            continue;
        }
        std::int32_t v = source[p];
        if (fading) {
            v = static_cast<std::int32_t>(
                std::lround(static_cast<double>(v) * static_cast<double>(n - j) / n));
        }
        out[j] = QVAudioBuffer::saturated(out[j] + v);
    }
    return true;
}

} // namespace fretkit
