#pragma once

#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioTimeStamp.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sndfile.h>
#include <string>
#include <vector>

// Small string samples for the players' tests: 16-bit mono AIFF files written with libsndfile,
// and in-memory buffers.
namespace string_samples {

inline bool writeAiff(const std::string& path, int rate, const std::vector<std::int16_t>& data) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const auto frames = static_cast<sf_count_t>(data.size());
    const bool ok = sf_writef_short(file, data.data(), frames) == frames;
    return sf_close(file) == 0 && ok;
}

// A decaying sine at `hz`, `seconds` long at `rate`, starting at zero.
inline std::vector<std::int16_t> pluck(double hz, int rate, double seconds, double amplitude) {
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<std::int16_t> data(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        data[i] = static_cast<std::int16_t>(
            std::lround(amplitude * std::exp(-1.5 * t) * std::sin(2.0 * M_PI * hz * t)));
    }
    return data;
}

inline double noteHz(unsigned note) {
    return 440.0 * std::pow(2.0, (static_cast<double>(note) - 69.0) / 12.0);
}

// "SS_NN.aif" in `dir` for string s and MIDI note n.
inline bool writeStringSample(const std::string& dir, unsigned s, unsigned note, int rate,
                              double seconds, double amplitude = 12000.0) {
    char name[32];
    std::snprintf(name, sizeof(name), "/%02u_%02u.aif", s, note);
    return writeAiff(dir + name, rate, pluck(noteHz(note), rate, seconds, amplitude));
}

// A one-channel buffer holding `data`.
inline std::shared_ptr<const QVAudioBuffer> buffer(const std::vector<std::int16_t>& data) {
    std::shared_ptr<QVAudioBuffer> made =
        QVAudioBuffer::bufferWithChannels(1, static_cast<std::uint32_t>(data.size()));
    made->setSampleValues(data.data(), made->frames(), 0);
    return made;
}

inline QVAudioTimeStamp at(double sampleTime) {
    fretkit::host::AudioTimeStamp stamp{};
    stamp.mSampleTime = sampleTime;
    stamp.mFlags = fretkit::host::kAudioTimeStampSampleTimeValid;
    return QVAudioTimeStamp(stamp);
}

inline std::vector<std::int16_t> channel(const QVAudioBuffer& out, std::uint32_t c = 0) {
    return {out.channel(c), out.channel(c) + out.frames()};
}

} // namespace string_samples
