#include "QVAudioBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

std::unique_ptr<QVAudioBuffer>
QVAudioBuffer::bufferWithChannels(std::uint32_t channels, std::uint32_t frames, QVErrorPtr* error) {
    auto buffer = std::make_unique<QVAudioBuffer>();
    if (!buffer->createWithNumberOfBuffers(channels, frames * 2, error)) {
        return nullptr;
    }
    return buffer;
}

std::unique_ptr<QVAudioBuffer> QVAudioBuffer::copy() const {
    std::unique_ptr<QVByteBuffer> copied = QVByteBuffer::copy();
    return std::unique_ptr<QVAudioBuffer>(static_cast<QVAudioBuffer*>(copied.release()));
}

std::unique_ptr<QVByteBuffer> QVAudioBuffer::makeEmpty() const {
    return std::make_unique<QVAudioBuffer>();
}

void QVAudioBuffer::setNumberOfChannels(std::uint32_t channels) {
    setCount(channels);
}

void QVAudioBuffer::setFrames(std::uint32_t frames) {
    setLength(frames * 2);
}

std::int16_t* QVAudioBuffer::channel(std::uint32_t index) const {
    return static_cast<std::int16_t*>(bufferAtIndex(index));
}

std::int16_t QVAudioBuffer::sampleValueAtIndex(std::uint32_t index, std::uint32_t channel) const {
    const std::int16_t* samples = this->channel(channel);
    return samples != nullptr && index < frames() ? samples[index] : 0;
}

void QVAudioBuffer::setSampleValue(std::int16_t value, std::uint32_t index, std::uint32_t channel) {
    std::int16_t* samples = this->channel(channel);
    if (samples != nullptr && index < frames()) {
        samples[index] = value;
    }
}

void QVAudioBuffer::setSampleValues(const std::int16_t* values, std::uint32_t frames,
                                    std::uint32_t channel) {
    std::int16_t* samples = this->channel(channel);
    if (samples != nullptr && values != nullptr) {
        std::memcpy(samples, values, std::min(frames, this->frames()) * sizeof(std::int16_t));
    }
}

std::int16_t QVAudioBuffer::peakOfChannel(std::uint32_t channel) const {
    const std::int16_t* samples = this->channel(channel);
    const std::uint32_t n = samples != nullptr ? frames() : 0;
    int peak = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        peak = std::max(peak, std::abs(int{samples[i]}));
    }
    return static_cast<std::int16_t>(std::min(peak, 32767));
}

std::int16_t QVAudioBuffer::peak() const {
    std::int16_t peak = 0;
    for (std::uint32_t c = 0; c < numberOfChannels(); ++c) {
        peak = std::max(peak, peakOfChannel(c));
    }
    return peak;
}

std::int16_t QVAudioBuffer::minimumOfChannel(std::uint32_t channel) const {
    std::int16_t maximum = 0;
    std::int16_t minimum = 0;
    getMaximum(&maximum, &minimum, channel);
    return minimum;
}

std::int16_t QVAudioBuffer::maximumOfChannel(std::uint32_t channel) const {
    std::int16_t maximum = 0;
    std::int16_t minimum = 0;
    getMaximum(&maximum, &minimum, channel);
    return maximum;
}

std::int16_t QVAudioBuffer::minimum() const {
    std::int16_t maximum = 0;
    std::int16_t minimum = 0;
    getMaximum(&maximum, &minimum);
    return minimum;
}

std::int16_t QVAudioBuffer::maximum() const {
    std::int16_t maximum = 0;
    std::int16_t minimum = 0;
    getMaximum(&maximum, &minimum);
    return maximum;
}

void QVAudioBuffer::getMaximum(std::int16_t* maximum, std::int16_t* minimum,
                               std::uint32_t channel) const {
    *maximum = 0;
    *minimum = 0;
    const std::int16_t* samples = this->channel(channel);
    const std::uint32_t n = samples != nullptr ? frames() : 0;
    std::int16_t high = 0;
    std::int16_t low = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        high = std::max(high, samples[i]);
        low = std::min(low, samples[i]);
    }
    *maximum = high;
    *minimum = low;
}

void QVAudioBuffer::getMaximum(std::int16_t* maximum, std::int16_t* minimum) const {
    *maximum = 0;
    *minimum = 0;
    for (std::uint32_t c = 0; c < numberOfChannels(); ++c) {
        std::int16_t channelMaximum = 0;
        std::int16_t channelMinimum = 0;
        getMaximum(&channelMaximum, &channelMinimum, c);
        *maximum = std::max(*maximum, channelMaximum);
        *minimum = std::min(*minimum, channelMinimum);
    }
}

std::int16_t QVAudioBuffer::rmsOfChannel(std::uint32_t channel) const {
    const std::int16_t* samples = this->channel(channel);
    const std::uint32_t n = frames();
    if (samples == nullptr || n == 0) {
        return 0;
    }
    double sum = 0.0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const double sample = samples[i];
        sum += sample * sample;
    }
    // The root of a mean of 16-bit squares is at most 32768 (all samples -32768).
    return static_cast<std::int16_t>(std::min(std::lround(std::sqrt(sum / n)), 32767L));
}

std::int16_t QVAudioBuffer::rms() const {
    const std::uint32_t channels = numberOfChannels();
    if (channels == 0) {
        return 0;
    }
    double sum = 0.0;
    for (std::uint32_t c = 0; c < channels; ++c) {
        const double value = rmsOfChannel(c);
        sum += value * value;
    }
    return static_cast<std::int16_t>(std::lround(std::sqrt(sum / channels)));
}

void QVAudioBuffer::scale(float factor, std::uint32_t channel, QVRange range) {
    std::int16_t* samples = this->channel(channel);
    if (factor == 1.0f || samples == nullptr) {
        return;
    }
    const std::uint32_t n = frames();
    const std::uint32_t begin = std::min(range.location, n);
    const std::uint32_t end = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{range.location} + range.length, n));
    for (std::uint32_t i = begin; i < end; ++i) {
        const float value = static_cast<float>(samples[i]) * factor;
        // A NaN fails both comparisons' "inside" test and lands on the lower limit.
        const float clamped =
            !(value > -32768.0f) ? -32768.0f : (value >= 32767.0f ? 32767.0f : value);
        samples[i] = static_cast<std::int16_t>(std::lroundf(clamped));
    }
}

void QVAudioBuffer::scale(float factor, std::uint32_t channel) {
    scale(factor, channel, QVRange{0, frames()});
}

void QVAudioBuffer::scale(float factor, std::initializer_list<std::uint32_t> channels) {
    for (std::uint32_t channel : channels) {
        scale(factor, channel);
    }
}

void QVAudioBuffer::scale(float factor) {
    for (std::uint32_t c = 0; c < numberOfChannels(); ++c) {
        scale(factor, c);
    }
}
