#pragma once

#include "QVAudioBuffer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fretkit {
class Bundle;
}

// Decodes sound files into one-channel 16-bit buffers at the session's rate: the client format
// is signed, packed, non-interleaved 16-bit samples, and the rate converter runs at its best
// quality. The string samples ("%02d_%02d" from the string index and MIDI note, type "aif") are
// read this way, two seconds each.
class QVSampleDecoder {
public:
    static constexpr double kStringSampleSeconds = 2.0;
    static constexpr const char* kStringSampleType = "aif";
    static constexpr std::uint32_t kConverterQuality = 127;

    explicit QVSampleDecoder(double rate) : rate_(rate) {}

    double rate() const { return rate_; }
    // Frames of a string sample at this rate.
    std::uint32_t stringSampleFrames() const;

    // "%02d_%02d": the resource name of string `string`'s sample of MIDI note `note`.
    static std::string stringSampleName(unsigned string, unsigned note);

    // A buffer of `frames` frames holding the file's first frames; what the file does not fill
    // stays silent, and so does the part after a read error. Null when the file cannot be opened
    // as sound (the reason in `error`).
    std::unique_ptr<QVAudioBuffer> decode(const std::string& path, std::uint32_t frames,
                                          std::string* error = nullptr) const;

    // The string sample from the bundle, two seconds long; null when the bundle lacks it or it
    // cannot be read (the reason in `error`).
    std::unique_ptr<QVAudioBuffer> decodeStringSample(const fretkit::Bundle& bundle,
                                                      unsigned string, unsigned note,
                                                      std::string* error = nullptr) const;

private:
    double rate_;
};
