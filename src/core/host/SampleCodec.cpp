#include "SampleCodec.h"

#include <cmath>
#include <cstddef>

namespace fretkit::host {

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

namespace {

// Rounds to the nearest integer (ties to even) in a form the compiler vectorises; exact for
// |value| < 2^22, which covers every 16-bit sample.
inline float roundSmall(float value) {
    constexpr float magic = 12582912.0f; // 1.5 * 2^23
    return (value + magic) - magic;
}

template <class Sample>
void decodeChannel(const Sample* in, std::uint32_t stride, std::uint32_t frames, float scale,
                   float* out) {
    const float inverse = 1.0f / scale;
    if (stride == 1) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            out[i] = static_cast<float>(in[i]) * inverse;
        }
    } else {
        for (std::uint32_t i = 0; i < frames; ++i) {
            out[i] = static_cast<float>(in[std::size_t{i} * stride]) * inverse;
        }
    }
}

// Keeps value within [low, high]; a NaN lands on low. Written as the two comparisons the
// processor's max and min instructions make, so the loops stay branch-free.
inline float clamp(float value, float low, float high) {
    const float above = value > low ? value : low;
    return above < high ? above : high;
}

inline std::int16_t toInt16(float sample) {
    return static_cast<std::int16_t>(roundSmall(clamp(sample * 32768.0f, -32768.0f, 32767.0f)));
}

inline std::int32_t toFixed(float sample, float scale) {
    // 2147483520 is the largest float below 2^31; rounding to the nearest 2^-24 matters not.
    return static_cast<std::int32_t>(clamp(sample * scale, -2147483648.0f, 2147483520.0f));
}

// Contiguous channels get their own loop, which the compiler vectorises.
template <class Sample, class Convert>
void encodeChannel(const float* in, std::uint32_t frames, Sample* out, std::uint32_t stride,
                   Convert convert) {
    if (stride == 1) {
        for (std::uint32_t i = 0; i < frames; ++i) {
            out[i] = convert(in[i]);
        }
    } else {
        for (std::uint32_t i = 0; i < frames; ++i) {
            out[std::size_t{i} * stride] = convert(in[i]);
        }
    }
}

} // namespace

void SampleCodec::decode(const AudioStreamBasicDescription& f, const AudioBufferList& list,
                         std::uint32_t frames, float* const* planar) {
    const std::uint32_t channels = f.mChannelsPerFrame;
    const bool mixed = interleaved(f);
    const std::uint32_t stride = mixed ? channels : 1;
    const Kind kind = kindOf(f);
    const float scale = kind == Kind::Int16 ? 32768.0f : fractionScale(f);
    for (std::uint32_t c = 0; c < channels; ++c) {
        const void* data = audioBufferAt(list, mixed ? 0 : c).mData;
        const std::uint32_t offset = mixed ? c : 0;
        switch (kind) {
        case Kind::Float32:
            decodeChannel(static_cast<const float*>(data) + offset, stride, frames, 1.0f,
                          planar[c]);
            break;
        case Kind::Int16:
            decodeChannel(static_cast<const std::int16_t*>(data) + offset, stride, frames, scale,
                          planar[c]);
            break;
        case Kind::Fixed32:
            decodeChannel(static_cast<const std::int32_t*>(data) + offset, stride, frames, scale,
                          planar[c]);
            break;
        }
    }
}

void SampleCodec::encode(const AudioStreamBasicDescription& f, AudioBufferList& list,
                         std::uint32_t frames, const float* const* planar) {
    const std::uint32_t channels = f.mChannelsPerFrame;
    const bool mixed = interleaved(f);
    const std::uint32_t stride = mixed ? channels : 1;
    const Kind kind = kindOf(f);
    for (std::uint32_t b = 0; b < list.mNumberBuffers; ++b) {
        audioBufferAt(list, b).mDataByteSize = bytesPerBuffer(f, frames);
    }
    for (std::uint32_t c = 0; c < channels; ++c) {
        void* data = audioBufferAt(list, mixed ? 0 : c).mData;
        const std::uint32_t offset = mixed ? c : 0;
        switch (kind) {
        case Kind::Float32:
            encodeChannel(planar[c], frames, static_cast<float*>(data) + offset, stride,
                          [](float v) { return v; });
            break;
        case Kind::Int16:
            encodeChannel(planar[c], frames, static_cast<std::int16_t*>(data) + offset, stride,
                          [](float v) { return toInt16(v); });
            break;
        case Kind::Fixed32: {
            const float scale = fractionScale(f);
            encodeChannel(planar[c], frames, static_cast<std::int32_t*>(data) + offset, stride,
                          [scale](float v) { return toFixed(v, scale); });
            break;
        }
        }
    }
}

} // namespace fretkit::host
