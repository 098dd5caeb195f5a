#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fretkit::host {

// Writes 16-bit PCM WAV files from interleaved floats, rounding and saturating each sample
// (x * 32768), so 16-bit input read as x = sample / 32768 comes back unchanged.
class AudioFileWriter {
public:
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    static std::unique_ptr<AudioFileWriter> create(const std::string& path, double rate,
                                                   std::uint32_t channels, std::string* error);

    // False when the disk refused the samples; the file then keeps the frames written before,
    // and close() still completes it.
    bool write(const float* interleaved, std::uint32_t frames);
    // Completes the file's header; answers whether everything reached the disk.
    bool close();
    // Why the last write or close failed.
    const std::string& error() const { return error_; }

private:
    AudioFileWriter() = default;

    void* file_ = nullptr; // SNDFILE*
    std::uint32_t channels_ = 0;
    bool failed_ = false;
    std::string error_;
    short scratch_[4096];
};

} // namespace fretkit::host
