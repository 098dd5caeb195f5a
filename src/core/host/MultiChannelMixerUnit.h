#pragma once

#include "AudioUnit.h"

namespace fretkit::host {

// Sums its input buses into its output. Each input bus has a volume (parameter 0) and an enable
// switch (parameter 1) on the input scope; a mono bus feeds every output channel. Buses without
// a source, disabled buses and buses that report silence add nothing.
class MultiChannelMixerUnit final : public AudioUnit {
public:
    MultiChannelMixerUnit();

protected:
    OSStatus renderBus(AudioUnitRenderActionFlags* flags, const AudioTimeStamp* timeStamp,
                       std::uint32_t bus, std::uint32_t frames, AudioBufferList& ioData) override;
    bool hasParameter(AudioUnitParameterID id, AudioUnitScope scope) const override;
    bool elementCountWritable(AudioUnitScope scope) const override;

private:
    void mixBus(std::uint32_t bus, const AudioBufferList& input, std::uint32_t frames,
                float* const* sum);
};

} // namespace fretkit::host
