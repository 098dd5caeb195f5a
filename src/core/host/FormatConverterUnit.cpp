#include "FormatConverterUnit.h"

#include "SampleCodec.h"

#include <algorithm>
#include <cstring>

namespace fretkit::host {

FormatConverterUnit::FormatConverterUnit()
    : AudioUnit({kAudioUnitType_FormatConverter, kAudioUnitSubType_AUConverter,
                 kAudioUnitManufacturer_Host, 0, 0},
                1, 1) {}

OSStatus FormatConverterUnit::extraPropertyInfo(AudioUnitPropertyID id, AudioUnitScope scope,
                                                AudioUnitElement, std::uint32_t* size,
                                                bool* writable) const {
    if (id != kAudioUnitProperty_SupportedNumChannels) {
        return kAudioUnitErr_InvalidProperty;
    }
    if (scope != kAudioUnitScope_Global) {
        return kAudioUnitErr_InvalidScope;
    }
    if (size != nullptr) {
        *size = sizeof(AUChannelInfo);
    }
    if (writable != nullptr) {
        *writable = false;
    }
    return noErr;
}

OSStatus FormatConverterUnit::getExtraProperty(AudioUnitPropertyID, AudioUnitScope,
                                               AudioUnitElement, void* data) const {
    // Any number of channels in, any number out.
    const AUChannelInfo any{-1, -1};
    std::memcpy(data, &any, sizeof(any));
    return noErr;
}

OSStatus FormatConverterUnit::validateFormats() const {
    const AudioStreamBasicDescription* in = streamFormat(kAudioUnitScope_Input, 0);
    const AudioStreamBasicDescription* out = streamFormat(kAudioUnitScope_Output, 0);
    return in->mSampleRate == out->mSampleRate ? noErr : kAudioUnitErr_FormatNotSupported;
}

OSStatus FormatConverterUnit::renderBus(AudioUnitRenderActionFlags* flags,
                                        const AudioTimeStamp* timeStamp, std::uint32_t bus,
                                        std::uint32_t frames, AudioBufferList& ioData) {
    AudioBufferList* input = nullptr;
    if (const OSStatus status = pullInput(0, flags, timeStamp, frames, input); status != noErr) {
        return status;
    }
    const AudioStreamBasicDescription& in = *streamFormat(kAudioUnitScope_Input, 0);
    const AudioStreamBasicDescription& out = *streamFormat(kAudioUnitScope_Output, bus);
    float* const* planar = scratch(0);
    SampleCodec::decode(in, *input, frames, planar);
    float* channels[kMaximumChannels];
    for (std::uint32_t c = 0; c < out.mChannelsPerFrame; ++c) {
        channels[c] = planar[std::min(c, in.mChannelsPerFrame - 1)];
    }
    SampleCodec::encode(out, ioData, frames, channels);
    return noErr;
}

} // namespace fretkit::host
