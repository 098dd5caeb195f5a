#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fretkit::host {

// Reads a sound file (WAV, AIFF, CAF and the other formats libsndfile knows) as interleaved
// 32-bit floats, optionally converted to another rate. Sixteen- and 24-bit samples arrive
// exactly (sample / 32768 for 16 bits).
class AudioFileReader {
public:
    ~AudioFileReader();
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    // Null with a message when the file cannot be opened or is no sound file.
    static std::unique_ptr<AudioFileReader> open(const std::string& path, std::string* error);

    double fileRate() const { return fileRate_; }
    std::uint32_t channels() const { return channels_; }
    std::int64_t fileFrames() const { return fileFrames_; }
    // Bits per sample of the file's encoding (0 when it has none, as for compressed formats).
    std::uint32_t fileBits() const { return fileBits_; }

    // Delivers frames at `rate` from now on; quality 0-127 chooses the converter (127: the best
    // sinc). False with a message when the converter cannot be made.
    bool setClientRate(double rate, std::uint32_t quality, std::string* error);
    double clientRate() const { return clientRate_; }

    // Reads up to frames frames into out (frames x channels floats); answers how many were
    // read, 0 at the end of the file.
    std::uint32_t read(float* out, std::uint32_t frames);

private:
    AudioFileReader() = default;
    std::uint32_t readFile(float* out, std::uint32_t frames);
    static long supply(void* self, float** data);

    void* file_ = nullptr;      // SNDFILE*
    void* converter_ = nullptr; // SRC_STATE*
    double fileRate_ = 0.0;
    double clientRate_ = 0.0;
    std::uint32_t channels_ = 0;
    std::uint32_t fileBits_ = 0;
    std::int64_t fileFrames_ = 0;
    std::vector<std::int32_t> raw_;
    std::vector<float> pending_;
};

} // namespace fretkit::host
