#pragma once

#include "AudioUnit.h"

namespace fretkit::host {

// Converts its one input to its output format: sample type, interleaving and channel count
// (extra output channels repeat the last input channel). Input and output rates must agree.
class FormatConverterUnit final : public AudioUnit {
public:
    FormatConverterUnit();

protected:
    OSStatus renderBus(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                       std::uint32_t bus, std::uint32_t frames, AudioBufferList& ioData) override;
    OSStatus extraPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope,
                               AudioUnitElement element, std::uint32_t* size,
                               bool* writable) const override;
    OSStatus getExtraProperty(AudioUnitPropertyID id, AudioUnitScope scope,
                              AudioUnitElement element, void* data) const override;
    OSStatus validateFormats() const override;
};

} // namespace fretkit::host
