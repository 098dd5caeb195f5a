#pragma once

#include "AudioTypes.h"

#include <cstdint>

namespace fretkit::host {

// Moves linear PCM samples between buffer lists and planar floats (full scale +-1.0). Handles
// 32-bit floats, signed 16-bit integers and signed 32-bit fixed point (8.24 and the like),
// interleaved or not, in native byte order. Conversions between the 16-bit and fixed-point
// formats through floats are exact.
class SampleCodec {
public:
    static bool supports(const AudioStreamBasicDescription& format);

    // The number of buffers and the bytes per buffer a list of this format needs for frames.
    static std::uint32_t bufferCount(const AudioStreamBasicDescription& format);
    static std::uint32_t bytesPerBuffer(const AudioStreamBasicDescription& format,
                                        std::uint32_t frames);

    // Reads frames of every channel of the format into planar[c]; the list must hold them.
    static void decode(const AudioStreamBasicDescription& format, const AudioBufferList& list,
                       std::uint32_t frames, float* const* planar);
    // Writes planar[c] into the list (rounding and saturating integers) and sets each buffer's
    // byte size to the frames written.
    static void encode(const AudioStreamBasicDescription& format, AudioBufferList& list,
                       std::uint32_t frames, const float* const* planar);
};

} // namespace fretkit::host
