#pragma once

#include "QVError.h"
#include "host/AudioTypes.h"

#include <memory>
#include <string>

namespace fretkit::host {
class AudioUnit;
}

// A stream format. A new description is the canonical audio-unit format: 44100 Hz linear PCM,
// one channel of signed 8.24 fixed point, packed and non-interleaved.
class QVAudioStreamDescription {
public:
    QVAudioStreamDescription();
    QVAudioStreamDescription(double rate, std::uint32_t channels);
    explicit QVAudioStreamDescription(
        const fretkit::host::AudioStreamBasicDescription& description);

    // The unit's stream format on that scope and element, or null with the error filled.
    static std::unique_ptr<QVAudioStreamDescription> descriptionWithAudioUnit(
        const fretkit::host::AudioUnit* unit, fretkit::host::AudioUnitScope scope,
        fretkit::host::AudioUnitElement element = 0, QVErrorPtr* error = nullptr);

    const fretkit::host::AudioStreamBasicDescription* description() const { return &description_; }

    double rate() const { return description_.mSampleRate; }
    void setRate(double rate) { description_.mSampleRate = rate; }
    fretkit::host::AudioFormatID format() const { return description_.mFormatID; }
    void setFormat(fretkit::host::AudioFormatID format) { description_.mFormatID = format; }
    fretkit::host::AudioFormatFlags flags() const { return description_.mFormatFlags; }
    void setFlags(fretkit::host::AudioFormatFlags flags) { description_.mFormatFlags = flags; }
    std::uint32_t channels() const { return description_.mChannelsPerFrame; }
    void setChannels(std::uint32_t channels) { description_.mChannelsPerFrame = channels; }
    // Bits per channel; setting it also sets the bytes per frame and per packet.
    std::uint32_t range() const { return description_.mBitsPerChannel; }
    void setRange(std::uint32_t bits);
    std::uint32_t framesPerPacket() const { return description_.mFramesPerPacket; }
    std::uint32_t bytesPerPacket() const { return description_.mBytesPerPacket; }

    void clear();
    // Fills in the fields left zero; alerts a failure.
    void complete();
    // The format's readable name, or empty after an alert.
    std::string name() const;

    // Equal in every field but the reserved one.
    bool isEqualToDescription(const QVAudioStreamDescription& other) const;
    bool operator==(const QVAudioStreamDescription& other) const {
        return isEqualToDescription(other);
    }

private:
    fretkit::host::AudioStreamBasicDescription description_{};
};
