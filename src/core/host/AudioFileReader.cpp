#include "AudioFileReader.h"

#include <samplerate.h>
#include <sndfile.h>

namespace fretkit::host {

namespace {

constexpr std::uint32_t kChunkFrames = 1024;

int converterFor(std::uint32_t quality) {
    if (quality >= 96) {
        return SRC_SINC_BEST_QUALITY;
    }
    if (quality >= 64) {
        return SRC_SINC_MEDIUM_QUALITY;
    }
    if (quality >= 32) {
        return SRC_SINC_FASTEST;
    }
    return SRC_LINEAR;
}

std::uint32_t bitsOf(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return 8;
    case SF_FORMAT_PCM_16:
        return 16;
    case SF_FORMAT_PCM_24:
        return 24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 32;
    case SF_FORMAT_DOUBLE:
        return 64;
    default:
        return 0;
    }
}

} // namespace

AudioFileReader::~AudioFileReader() {
    if (converter_ != nullptr) {
        src_delete(static_cast<SRC_STATE*>(converter_));
    }
    if (file_ != nullptr) {
        sf_close(static_cast<SNDFILE*>(file_));
    }
}

std::unique_ptr<AudioFileReader> AudioFileReader::open(const std::string& path,
                                                       std::string* error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        if (error != nullptr) {
            *error = path + ": " + sf_strerror(nullptr);
        }
        return nullptr;
    }
    if (info.channels <= 0 || info.samplerate <= 0) {
        sf_close(file);
        if (error != nullptr) {
            *error = path + ": the file holds no playable sound";
        }
        return nullptr;
    }
    std::unique_ptr<AudioFileReader> reader(new AudioFileReader());
    reader->file_ = file;
    reader->fileRate_ = info.samplerate;
    reader->clientRate_ = info.samplerate;
    reader->channels_ = static_cast<std::uint32_t>(info.channels);
    reader->fileFrames_ = info.frames;
    reader->fileBits_ = bitsOf(info.format);
    return reader;
}

bool AudioFileReader::setClientRate(double rate, std::uint32_t quality, std::string* error) {
    if (converter_ != nullptr) {
        src_delete(static_cast<SRC_STATE*>(converter_));
        converter_ = nullptr;
    }
    clientRate_ = rate;
    if (rate == fileRate_) {
        return true;
    }
    int status = 0;
    converter_ = src_callback_new(&AudioFileReader::supply, converterFor(quality),
                                  static_cast<int>(channels_), &status, this);
    if (converter_ == nullptr) {
        if (error != nullptr) {
            *error = std::string("the sample rate converter failed: ") + src_strerror(status);
        }
        clientRate_ = fileRate_;
        return false;
    }
    return true;
}

std::uint32_t AudioFileReader::readFile(float* out, std::uint32_t frames) {
    // Integers keep 16- and 24-bit samples exact: they arrive scaled to the 32-bit range.
    raw_.resize(std::size_t{frames} * channels_);
    const sf_count_t read = sf_readf_int(static_cast<SNDFILE*>(file_), raw_.data(), frames);
    const std::size_t samples = static_cast<std::size_t>(read) * channels_;
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<float>(static_cast<double>(raw_[i]) / 2147483648.0);
    }
    return static_cast<std::uint32_t>(read);
}

long AudioFileReader::supply(void* self, float** data) {
    auto* reader = static_cast<AudioFileReader*>(self);
    reader->pending_.resize(std::size_t{kChunkFrames} * reader->channels_);
    *data = reader->pending_.data();
    return static_cast<long>(reader->readFile(reader->pending_.data(), kChunkFrames));
}

std::uint32_t AudioFileReader::read(float* out, std::uint32_t frames) {
    if (converter_ == nullptr) {
        return readFile(out, frames);
    }
    const long produced =
        src_callback_read(static_cast<SRC_STATE*>(converter_), clientRate_ / fileRate_,
                          static_cast<long>(frames), out);
    return produced > 0 ? static_cast<std::uint32_t>(produced) : 0;
}

} // namespace fretkit::host
