#include "MultiChannelMixerUnit.h"

#include "SampleCodec.h"

#include <algorithm>

namespace fretkit::host {

MultiChannelMixerUnit::MultiChannelMixerUnit()
    : AudioUnit({kAudioUnitType_Mixer, kAudioUnitSubType_MultiChannelMixer,
                 kAudioUnitManufacturer_Host, 0, 0},
                1, 1) {}

bool MultiChannelMixerUnit::hasParameter(AudioUnitParameterID id, AudioUnitScope scope) const {
    return scope == kAudioUnitScope_Input &&
           (id == kMultiChannelMixerParam_Volume || id == kMultiChannelMixerParam_Enable);
}

bool MultiChannelMixerUnit::elementCountWritable(AudioUnitScope scope) const {
    return scope == kAudioUnitScope_Input;
}

OSStatus MultiChannelMixerUnit::renderBus(AudioUnitRenderActionFlags* flags,
                                          const AudioTimeStamp* timeStamp, std::uint32_t bus,
                                          std::uint32_t frames, AudioBufferList& ioData) {
    const AudioStreamBasicDescription& out = *streamFormat(kAudioUnitScope_Output, bus);
    float* const* sum = scratch(0);
    for (std::uint32_t c = 0; c < out.mChannelsPerFrame; ++c) {
        std::fill(sum[c], sum[c] + frames, 0.0f);
    }
    bool silent = true;
    for (std::uint32_t input = 0; input < elementCount(kAudioUnitScope_Input); ++input) {
        if (!hasInputSource(input) ||
            parameter(kMultiChannelMixerParam_Enable, kAudioUnitScope_Input, input) == 0.0f) {
            continue;
        }
        AudioUnitRenderActionFlags inputFlags = 0;
        AudioBufferList* pulled = nullptr;
        const OSStatus status = pullInput(input, &inputFlags, timeStamp, frames, pulled);
        if (status != noErr) {
            return status;
        }
        if ((inputFlags & kAudioUnitRenderAction_OutputIsSilence) == 0) {
            mixBus(input, *pulled, frames, sum);
            silent = false;
        }
    }
    SampleCodec::encode(out, ioData, frames, sum);
    if (silent) {
        *flags |= kAudioUnitRenderAction_OutputIsSilence;
    }
    return noErr;
}

void MultiChannelMixerUnit::mixBus(std::uint32_t bus, const AudioBufferList& input,
                                   std::uint32_t frames, float* const* sum) {
    const AudioStreamBasicDescription& in = *streamFormat(kAudioUnitScope_Input, bus);
    const std::uint32_t outChannels = streamFormat(kAudioUnitScope_Output, 0)->mChannelsPerFrame;
    float* const* samples = scratch(1);
    SampleCodec::decode(in, input, frames, samples);
    const float volume = parameter(kMultiChannelMixerParam_Volume, kAudioUnitScope_Input, bus);
    for (std::uint32_t c = 0; c < outChannels; ++c) {
        if (in.mChannelsPerFrame != 1 && c >= in.mChannelsPerFrame) {
            break;
        }
        const float* from = samples[in.mChannelsPerFrame == 1 ? 0 : c];
        float* to = sum[c];
        for (std::uint32_t i = 0; i < frames; ++i) {
            to[i] += from[i] * volume;
        }
    }
}

} // namespace fretkit::host
