#include "AudioFormatServices.h"

#include "foundation/StringFormat.h"

namespace fretkit::host {

OSStatus AudioFormatServices::formatInfo(AudioStreamBasicDescription& d) {
    if (d.mFormatID != kAudioFormatLinearPCM || d.mChannelsPerFrame == 0 ||
        d.mBitsPerChannel == 0 || d.mBitsPerChannel % 8 != 0) {
        return kUnsupportedDataFormatError;
    }
    if (d.mFramesPerPacket == 0) {
        d.mFramesPerPacket = 1;
    }
    if (d.mBytesPerFrame == 0) {
        const std::uint32_t sampleBytes = d.mBitsPerChannel / 8;
        d.mBytesPerFrame = (d.mFormatFlags & kAudioFormatFlagIsNonInterleaved) != 0
                               ? sampleBytes
                               : sampleBytes * d.mChannelsPerFrame;
    }
    if (d.mBytesPerPacket == 0) {
        d.mBytesPerPacket = d.mBytesPerFrame * d.mFramesPerPacket;
    }
    return noErr;
}

OSStatus AudioFormatServices::formatName(const AudioStreamBasicDescription& d, std::string& name) {
    if (d.mFormatID != kAudioFormatLinearPCM) {
        return kUnsupportedDataFormatError;
    }
    const std::uint32_t fraction = (d.mFormatFlags & kLinearPCMFormatFlagsSampleFractionMask) >>
                                   kLinearPCMFormatFlagsSampleFractionShift;
    std::string kind;
    if ((d.mFormatFlags & kAudioFormatFlagIsFloat) != 0) {
        kind = fretkit::stringWithFormat("%u-bit float", d.mBitsPerChannel);
    } else if (fraction != 0) {
        kind =
            fretkit::stringWithFormat("%u.%u fixed point", d.mBitsPerChannel - fraction, fraction);
    } else {
        kind = fretkit::stringWithFormat(
            "%u-bit %s integer", d.mBitsPerChannel,
            (d.mFormatFlags & kAudioFormatFlagIsSignedInteger) != 0 ? "signed" : "unsigned");
    }
    name = fretkit::stringWithFormat("%s, %u channel%s, %s, %g Hz", kind.c_str(),
                                     d.mChannelsPerFrame, d.mChannelsPerFrame == 1 ? "" : "s",
                                     (d.mFormatFlags & kAudioFormatFlagIsNonInterleaved) != 0
                                         ? "non-interleaved"
                                         : "interleaved",
                                     d.mSampleRate);
    return noErr;
}

} // namespace fretkit::host
