#pragma once

#include "QVByteBuffer.h"

#include <cstdint>
#include <initializer_list>
#include <memory>

// A buffer list read as non-interleaved audio: buffer i is channel i, each sample a signed
// 16-bit integer. Reads outside the buffer give 0, writes there are ignored.
class QVAudioBuffer : public QVByteBuffer {
public:
    using QVByteBuffer::QVByteBuffer;

    static std::unique_ptr<QVAudioBuffer>
    bufferWithChannels(std::uint32_t channels, std::uint32_t frames, QVErrorPtr* error = nullptr);
    std::unique_ptr<QVAudioBuffer> copy() const;

    // A mixed sum brought back into the 16-bit range: loud sums clip instead of wrapping.
    static std::int16_t saturated(std::int32_t value) {
        return static_cast<std::int16_t>(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
    }

    std::uint32_t numberOfChannels() const { return count(); }
    void setNumberOfChannels(std::uint32_t channels);
    std::uint32_t frames() const { return length() / 2; }
    void setFrames(std::uint32_t frames);

    std::int16_t* channel(std::uint32_t index) const;

    std::int16_t sampleValueAtIndex(std::uint32_t index, std::uint32_t channel = 0) const;
    void setSampleValue(std::int16_t value, std::uint32_t index, std::uint32_t channel = 0);
    // Copies min(frames, this->frames()) samples into the channel.
    void setSampleValues(const std::int16_t* values, std::uint32_t frames, std::uint32_t channel);

    // Largest absolute sample, at most 32767.
    std::int16_t peakOfChannel(std::uint32_t channel) const;
    std::int16_t peak() const;
    // The extremes start at 0: the minimum is never above 0, the maximum never below.
    std::int16_t minimumOfChannel(std::uint32_t channel) const;
    std::int16_t minimum() const;
    std::int16_t maximumOfChannel(std::uint32_t channel) const;
    std::int16_t maximum() const;
    void getMaximum(std::int16_t* maximum, std::int16_t* minimum, std::uint32_t channel) const;
    void getMaximum(std::int16_t* maximum, std::int16_t* minimum) const;
    std::int16_t rmsOfChannel(std::uint32_t channel) const;
    std::int16_t rms() const;

    // Multiplies samples by factor, saturating at the 16-bit limits. The range is in frames
    // and is cut to the channel.
    void scale(float factor, std::uint32_t channel, QVRange range);
    void scale(float factor, std::uint32_t channel);
    void scale(float factor, std::initializer_list<std::uint32_t> channels);
    void scale(float factor);

protected:
    std::unique_ptr<QVByteBuffer> makeEmpty() const override;
};
