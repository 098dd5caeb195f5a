#include "RecordCommand.h"

#include "AudioOptions.h"
#include "AudioRun.h"
#include "audio/QVAudioBuffer.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "host/AudioFileWriter.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <ostream>
#include <vector>

using namespace fretkit::host;

namespace {

// Copies the input blocks into memory made beforehand, so the audio thread never allocates.
class Recorder final : public QVAudioStreamDelegate, public QVAudioStreamInput {
public:
    Recorder(std::uint64_t frames, std::uint32_t channels)
        : samples_(static_cast<std::size_t>(frames) * channels), channels_(channels),
          capacity_(frames) {}

    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp&, bool) override {
        const std::uint64_t at = recorded_.load(std::memory_order_relaxed);
        const auto count =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(buffer.frames(), capacity_ - at));
        for (std::uint32_t c = 0; c < channels_; ++c) {
            const std::int16_t* from = buffer.channel(std::min(c, buffer.numberOfChannels() - 1));
            for (std::uint32_t i = 0; from != nullptr && i < count; ++i) {
                samples_[(at + i) * channels_ + c] = from[i] / 32768.0f;
            }
        }
        recorded_.store(at + count, std::memory_order_release);
    }

    bool full() const { return recorded_.load(std::memory_order_acquire) >= capacity_; }
    std::uint64_t recorded() const { return recorded_.load(std::memory_order_acquire); }
    const float* samples() const { return samples_.data(); }

private:
    std::vector<float> samples_;
    std::uint32_t channels_;
    std::uint64_t capacity_;
    std::atomic<std::uint64_t> recorded_{0};
};

struct RecordArguments {
    double seconds = 0.0;
    std::string output;
    std::uint32_t channels = 1;
};

std::optional<RecordArguments> parseArguments(const std::vector<std::string>& args,
                                              std::ostream& err) {
    RecordArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--seconds" || arg == "-o" || arg == "--channels") && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (arg == "-o") {
                parsed.output = value;
                continue;
            }
            double number = 0.0;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), number);
            if (ec != std::errc() || end != value.data() + value.size()) {
                err << "fretkit: " << arg << " needs a number\n";
                return std::nullopt;
            }
            if (arg == "--seconds") {
                parsed.seconds = number;
            } else {
                parsed.channels = static_cast<std::uint32_t>(number);
            }
        } else {
            err << "fretkit: unexpected argument '" << arg << "'\n";
            return std::nullopt;
        }
    }
    if (!(parsed.seconds > 0.0) || parsed.seconds > 3600.0 || parsed.output.empty() ||
        parsed.channels < 1 || parsed.channels > 2) {
        err << "fretkit: record needs --seconds (up to 3600), -o FILE.wav and 1 or 2 channels\n";
        return std::nullopt;
    }
    return parsed;
}

int record(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<AudioOptions> options = AudioOptions::parse(args, err);
    if (!options) {
        return 2;
    }
    const std::optional<RecordArguments> parsed = parseArguments(options->rest, err);
    if (!parsed) {
        return 2;
    }
    if (!options->activate(err)) {
        return 1;
    }
    QVAudioSession* session = QVAudioSession::session();
    if (!session->isInputAvailable()) {
        err << "fretkit: there is no microphone to record from (with the file driver, name one "
               "with --input FILE)\n";
        return 1;
    }
    const double rate = QVAudioSession::sampleRate();
    const auto frames = static_cast<std::uint64_t>(parsed->seconds * rate + 0.5);
    Recorder recorder(frames, parsed->channels);
    QVErrorPtr error;
    std::unique_ptr<QVAudioStream> stream = QVAudioStream::withDelegate(&recorder, &error);
    if (!stream || !stream->start(&error)) {
        err << "fretkit: " << (error ? error->localizedDescription() : "no audio stream") << '\n';
        return 1;
    }
    runStream(
        *stream, [&] { return recorder.full(); },
        [&] { return static_cast<double>(recorder.recorded()) / rate; }, "recording", err);
    stream.reset();

    std::string writeError;
    auto writer = AudioFileWriter::create(parsed->output, rate, parsed->channels, &writeError);
    if (!writer ||
        !writer->write(recorder.samples(), static_cast<std::uint32_t>(recorder.recorded())) ||
        !writer->close()) {
        err << "fretkit: "
            << (writeError.empty() ? parsed->output + ": could not be written" : writeError)
            << '\n';
        return 1;
    }
    out << "recorded " << recorder.recorded() << " frames ("
        << static_cast<double>(recorder.recorded()) / rate << " s) to " << parsed->output << '\n';
    return 0;
}

} // namespace

CliCommand RecordCommand::command() {
    return {"record",
            std::string("--seconds N -o FILE.wav [--channels 1|2] ") + AudioOptions::kSynopsis,
            "record the microphone into a WAV file", record};
}
