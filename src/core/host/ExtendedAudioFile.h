#pragma once

#include "AudioFileReader.h"
#include "AudioTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fretkit::host {

// Reads a sound file in a format of the caller's choosing (the client format): any linear PCM
// the units handle, at any rate and channel count. Rates are converted with a sinc converter
// whose quality (0-127, 127 the best) applies from the next client format on; a mono file fills
// every client channel, extra file channels are dropped.
class ExtendedAudioFile {
public:
    static constexpr OSStatus kFileNotFound = -43;
    static constexpr OSStatus kInvalidFile = static_cast<OSStatus>(fourCC("dta?"));
    static constexpr OSStatus kUnsupportedFormat = static_cast<OSStatus>(fourCC("fmt?"));

    static OSStatus open(const std::string& path, std::unique_ptr<ExtendedAudioFile>& file);

    // The file's own format: linear PCM at its rate and channels (packed, interleaved).
    const AudioStreamBasicDescription& fileDataFormat() const { return fileFormat_; }
    std::int64_t fileLengthFrames() const { return reader_->fileFrames(); }

    OSStatus setClientDataFormat(const AudioStreamBasicDescription& format);
    const AudioStreamBasicDescription& clientDataFormat() const { return clientFormat_; }
    void setConverterQuality(std::uint32_t quality) { quality_ = quality > 127 ? 127 : quality; }

    // Reads up to `frames` frames into the list, in the client format; `frames` becomes the
    // count read (0 at the end of the file).
    OSStatus read(std::uint32_t& frames, AudioBufferList& list);

    // The reason of the last failure to open, for messages.
    static std::string lastOpenError();

private:
    ExtendedAudioFile() = default;

    std::unique_ptr<AudioFileReader> reader_;
    AudioStreamBasicDescription fileFormat_{};
    AudioStreamBasicDescription clientFormat_{};
    std::uint32_t quality_ = 127;
    std::vector<float> interleaved_;
    std::vector<float> planar_;
};

} // namespace fretkit::host
