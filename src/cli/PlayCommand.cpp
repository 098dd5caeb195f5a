#include "PlayCommand.h"

#include "AudioOptions.h"
#include "AudioRun.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "host/AudioDeviceLayer.h"
#include "host/ExtendedAudioFile.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ostream>
#include <vector>

using namespace fretkit::host;

namespace {

// Hands out the decoded sound block by block; the sound is complete before the stream starts.
class Player final : public QVAudioStreamDelegate, public QVAudioStreamBufferRenderer {
public:
    explicit Player(std::unique_ptr<QVAudioBuffer> sound) : sound_(std::move(sound)) {}

    bool renderAudioToBuffer(QVAudioBuffer& buffer) override {
        const std::uint32_t at = position_.load(std::memory_order_relaxed);
        const std::uint32_t count = std::min(buffer.frames(), sound_->frames() - at);
        for (std::uint32_t c = 0; c < buffer.numberOfChannels() && count > 0; ++c) {
            const std::int16_t* from =
                sound_->channel(std::min(c, sound_->numberOfChannels() - 1)) + at;
            std::memcpy(buffer.channel(c), from, count * sizeof(std::int16_t));
        }
        position_.store(at + count, std::memory_order_release);
        return count > 0;
    }

    bool finished() const { return position_.load(std::memory_order_acquire) >= sound_->frames(); }
    std::uint32_t played() const { return position_.load(std::memory_order_acquire); }
    std::uint32_t frames() const { return sound_->frames(); }

private:
    std::unique_ptr<QVAudioBuffer> sound_;
    std::atomic<std::uint32_t> position_{0};
};

// The whole file as 16-bit channels at `rate`, converted with the best quality.
std::unique_ptr<QVAudioBuffer> decode(const std::string& path, double rate, std::uint32_t channels,
                                      std::ostream& err) {
    std::unique_ptr<ExtendedAudioFile> file;
    if (ExtendedAudioFile::open(path, file) != noErr) {
        err << "fretkit: " << ExtendedAudioFile::lastOpenError() << '\n';
        return nullptr;
    }
    QVAudioStreamDescription format(rate, channels);
    format.setFlags(kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked |
                    kAudioFormatFlagIsNonInterleaved);
    format.setRange(16);
    file->setConverterQuality(127);
    if (file->setClientDataFormat(*format.description()) != noErr) {
        err << "fretkit: " << path << ": cannot be converted for playing\n";
        return nullptr;
    }
    std::vector<std::vector<std::int16_t>> samples(channels);
    auto chunk = QVAudioBuffer::bufferWithChannels(channels, 4096);
    for (;;) {
        std::uint32_t frames = 4096;
        if (file->read(frames, *chunk->list()) != noErr) {
            err << "fretkit: " << path << ": reading failed\n";
            return nullptr;
        }
        if (frames == 0) {
            break;
        }
        for (std::uint32_t c = 0; c < channels; ++c) {
            samples[c].insert(samples[c].end(), chunk->channel(c), chunk->channel(c) + frames);
        }
        // The list's sizes shrink to what was read; give the next read the whole chunk again.
        chunk->setFrames(0);
        chunk->setFrames(4096);
    }
    auto sound =
        QVAudioBuffer::bufferWithChannels(channels, static_cast<std::uint32_t>(samples[0].size()));
    if (!sound) {
        err << "fretkit: " << path << ": holds no sound\n";
        return nullptr;
    }
    for (std::uint32_t c = 0; c < channels; ++c) {
        sound->setSampleValues(samples[c].data(), sound->frames(), c);
    }
    return sound;
}

int play(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<AudioOptions> options = AudioOptions::parse(args, err);
    if (!options) {
        return 2;
    }
    if (options->rest.size() != 1) {
        err << "fretkit: play needs one sound file\n";
        return 2;
    }
    const std::string path = options->rest.front();
    std::unique_ptr<QVAudioBuffer> sound;
    if (options->device.driver == "file") {
        // A file device plays at exactly the rate asked for; its output gets the sound's
        // channels and ends with the sound.
        std::unique_ptr<ExtendedAudioFile> probe;
        if (ExtendedAudioFile::open(path, probe) != noErr) {
            err << "fretkit: " << ExtendedAudioFile::lastOpenError() << '\n';
            return 1;
        }
        const std::uint32_t channels =
            std::clamp(probe->fileDataFormat().mChannelsPerFrame, 1u, 16u);
        sound = decode(path, options->device.sampleRate, channels, err);
        if (!sound) {
            return 1;
        }
        options->device.outputChannels = channels;
        options->device.outputFrames = sound->frames();
    }
    if (!options->activate(err)) {
        return 1;
    }
    if (!sound) {
        sound = decode(path, QVAudioSession::sampleRate(),
                       std::max(AudioDeviceLayer::current().info().outputChannels, 1u), err);
        if (!sound) {
            return 1;
        }
    }
    const double rate = QVAudioSession::sampleRate();
    Player player(std::move(sound));
    QVErrorPtr error;
    std::unique_ptr<QVAudioStream> stream = QVAudioStream::withDelegate(&player, &error);
    if (!stream || !stream->start(&error)) {
        err << "fretkit: " << (error ? error->localizedDescription() : "no audio stream") << '\n';
        return 1;
    }
    // A file device ends by itself once the whole sound is written; a sound card is stopped
    // once the last block is handed over (stopping lets queued buffers play out).
    const bool fileDevice = options->device.driver == "file";
    runStream(
        *stream, [&] { return player.finished() && !(fileDevice && stream->isRunning()); },
        [&] { return player.played() / rate; }, "playing", err);
    stream.reset();
    out << "played " << player.played() << " frames (" << player.played() / rate << " s)\n";
    return player.finished() ? 0 : 1;
}

} // namespace

CliCommand PlayCommand::command() {
    return {"play", std::string("FILE ") + AudioOptions::kSynopsis,
            "play a sound file through the audio stream", play};
}
