#pragma once

#include "AudioTypes.h"

#include <string>

namespace fretkit::host {

// Queries about stream formats.
class AudioFormatServices {
public:
    static constexpr std::uint32_t kFormatInfo = fourCC("fmti");
    static constexpr std::uint32_t kFormatName = fourCC("fnam");
    static constexpr OSStatus kUnsupportedDataFormatError = static_cast<OSStatus>(fourCC("fmt?"));

    // Fills in the fields of a linear PCM description that are left zero (frames per packet,
    // bytes per frame and per packet from the bits, channels and interleaving). Other formats,
    // and descriptions that lack bits or channels, are refused with 'fmt?'.
    static OSStatus formatInfo(AudioStreamBasicDescription& description);

    // A readable name of the format: "16-bit signed integer, 2 channels, non-interleaved,
    // 44100 Hz". Refuses formats other than linear PCM with 'fmt?'.
    static OSStatus formatName(const AudioStreamBasicDescription& description, std::string& name);
};

} // namespace fretkit::host
