#include "AudioFileWriter.h"

#include <algorithm>
#include <cmath>
#include <sndfile.h>

namespace fretkit::host {

AudioFileWriter::~AudioFileWriter() {
    close();
}

std::unique_ptr<AudioFileWriter> AudioFileWriter::create(const std::string& path, double rate,
                                                         std::uint32_t channels,
                                                         std::string* error) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(std::lround(rate));
    info.channels = static_cast<int>(channels);
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file =
        channels > 0 && channels <= 64 ? sf_open(path.c_str(), SFM_WRITE, &info) : nullptr;
    if (file == nullptr) {
        if (error != nullptr) {
            *error = path + ": " + (channels == 0 ? "no channels to write" : sf_strerror(nullptr));
        }
        return nullptr;
    }
    std::unique_ptr<AudioFileWriter> writer(new AudioFileWriter());
    writer->file_ = file;
    writer->channels_ = channels;
    return writer;
}

bool AudioFileWriter::write(const float* interleaved, std::uint32_t frames) {
    if (file_ == nullptr) {
        return false;
    }
    const std::size_t perChunk = sizeof(scratch_) / sizeof(scratch_[0]) / channels_;
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t count = std::min<std::size_t>(perChunk, frames - done);
        const float* from = interleaved + done * channels_;
        for (std::size_t i = 0; i < count * channels_; ++i) {
            const float value = from[i] * 32768.0f;
            // A NaN lands on the lower limit.
            const float scaled = !(value > -32768.0f) ? -32768.0f : std::min(value, 32767.0f);
            scratch_[i] = static_cast<short>(std::lrint(scaled));
        }
        const sf_count_t written =
            sf_writef_short(static_cast<SNDFILE*>(file_), scratch_, static_cast<sf_count_t>(count));
        if (written != static_cast<sf_count_t>(count)) {
            failed_ = true;
            error_ = sf_strerror(static_cast<SNDFILE*>(file_));
            return false;
        }
        done += count;
    }
    return true;
}

bool AudioFileWriter::close() {
    if (file_ != nullptr) {
        const int status = sf_close(static_cast<SNDFILE*>(file_));
        if (status != 0 && error_.empty()) {
            error_ = sf_error_number(status);
        }
        failed_ = status != 0 || failed_;
        file_ = nullptr;
    }
    return !failed_;
}

} // namespace fretkit::host
