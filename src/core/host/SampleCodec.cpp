#include "SampleCodec.h"

#include <cmath>

namespace {

enum class Kind { Float32, Int16, Fixed32 };

Kind kindOf(const AudioStreamBasicDescription& f) {
    if ((f.mFormatFlags & kAudioFormatFlagIsFloat) != 0) {
        return Kind::Float32;
    }
    return f.mBitsPerChannel == 16 ? Kind::Int16 : Kind::Fixed32;
}

float fractionScale(const AudioStreamBasicDescription& f) {
    const std::uint32_t bits = (f.mFormatFlags & kLinearPCMFormatFlagsSampleFractionMask) >>
                               kLinearPCMFormatFlagsSampleFractionShift;
    return std::ldexp(1.0f, static_cast<int>(bits == 0 ? 31 : bits));
}

bool interleaved(const AudioStreamBasicDescription& f) {
    return (f.mFormatFlags & kAudioFormatFlagIsNonInterleaved) == 0;
}

template <class Sample>
Sample saturate(float value, float lowest, float highest) {
    // A NaN lands on the lower limit.
    if (!(value > lowest)) {
        return static_cast<Sample>(lowest);
    }
    if (value >= highest) {
        return static_cast<Sample>(highest);
    }
    return static_cast<Sample>(std::lrint(value));
}

} // namespace

bool SampleCodec::supports(const AudioStreamBasicDescription& f) {
    if (f.mFormatID != kAudioFormatLinearPCM || f.mChannelsPerFrame == 0 ||
        (f.mFormatFlags & kAudioFormatFlagIsBigEndian) != 0 || f.mFramesPerPacket != 1) {
        return false;
    }
    const std::uint32_t sampleBytes = f.mBitsPerChannel / 8;
    const std::uint32_t frameBytes =
        interleaved(f) ? sampleBytes * f.mChannelsPerFrame : sampleBytes;
    if (f.mBytesPerFrame != frameBytes) {
        return false;
    }
    if ((f.mFormatFlags & kAudioFormatFlagIsFloat) != 0) {
        return f.mBitsPerChannel == 32;
    }
    return (f.mFormatFlags & kAudioFormatFlagIsSignedInteger) != 0 &&
           (f.mBitsPerChannel == 16 || f.mBitsPerChannel == 32);
}

std::uint32_t SampleCodec::bufferCount(const AudioStreamBasicDescription& f) {
    return interleaved(f) ? 1 : f.mChannelsPerFrame;
}

std::uint32_t SampleCodec::bytesPerBuffer(const AudioStreamBasicDescription& f,
                                          std::uint32_t frames) {
    return f.mBytesPerFrame * frames;
}

void SampleCodec::decode(const AudioStreamBasicDescription& f, const AudioBufferList& list,
                         std::uint32_t frames, float* const* planar) {
    const std::uint32_t channels = f.mChannelsPerFrame;
    const std::uint32_t stride = interleaved(f) ? channels : 1;
    const Kind kind = kindOf(f);
    const float scale = kind == Kind::Int16 ? 32768.0f : fractionScale(f);
    for (std::uint32_t c = 0; c < channels; ++c) {
        const std::uint32_t bufferIndex = interleaved(f) ? 0 : c;
        const std::uint32_t offset = interleaved(f) ? c : 0;
        const void* data = audioBufferAt(list, bufferIndex).mData;
        float* out = planar[c];
        for (std::uint32_t i = 0; i < frames; ++i) {
            const std::uint32_t at = i * stride + offset;
            switch (kind) {
            case Kind::Float32:
                out[i] = static_cast<const float*>(data)[at];
                break;
            case Kind::Int16:
                out[i] = static_cast<float>(static_cast<const std::int16_t*>(data)[at]) / scale;
                break;
            case Kind::Fixed32:
                out[i] = static_cast<float>(static_cast<const std::int32_t*>(data)[at]) / scale;
                break;
            }
        }
    }
}

void SampleCodec::encode(const AudioStreamBasicDescription& f, AudioBufferList& list,
                         std::uint32_t frames, const float* const* planar) {
    const std::uint32_t channels = f.mChannelsPerFrame;
    const std::uint32_t stride = interleaved(f) ? channels : 1;
    const Kind kind = kindOf(f);
    const float scale = kind == Kind::Int16 ? 32768.0f : fractionScale(f);
    for (std::uint32_t b = 0; b < list.mNumberBuffers; ++b) {
        audioBufferAt(list, b).mDataByteSize = bytesPerBuffer(f, frames);
    }
    for (std::uint32_t c = 0; c < channels; ++c) {
        const std::uint32_t bufferIndex = interleaved(f) ? 0 : c;
        const std::uint32_t offset = interleaved(f) ? c : 0;
        void* data = audioBufferAt(list, bufferIndex).mData;
        const float* in = planar[c];
        for (std::uint32_t i = 0; i < frames; ++i) {
            const std::uint32_t at = i * stride + offset;
            switch (kind) {
            case Kind::Float32:
                static_cast<float*>(data)[at] = in[i];
                break;
            case Kind::Int16:
                static_cast<std::int16_t*>(data)[at] =
                    saturate<std::int16_t>(in[i] * scale, -32768.0f, 32767.0f);
                break;
            case Kind::Fixed32:
                // 2147483520 is the largest float below 2^31.
                static_cast<std::int32_t*>(data)[at] =
                    saturate<std::int32_t>(in[i] * scale, -2147483648.0f, 2147483520.0f);
                break;
            }
        }
    }
}
