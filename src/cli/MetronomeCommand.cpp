#include "MetronomeCommand.h"

#include "MetronomeOptions.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "host/AudioDeviceLayer.h"
#include "host/AudioFileWriter.h"
#include "host/OfflineAudioDevice.h"
#include "metronome/MTBeatEngine.h"
#include "metronome/MTSettings.h"
#include "metronome/MTTapTempo.h"
#include "metronome/MTTempoEditorModel.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <vector>

using namespace fretkit::host;

namespace {

volatile std::sig_atomic_t interrupted = 0;

// Ctrl-C ends a live run cleanly; the previous handler comes back afterwards.
class InterruptGuard {
public:
    InterruptGuard() : previous_(std::signal(SIGINT, [](int) { interrupted = 1; })) {
        interrupted = 0;
    }
    ~InterruptGuard() { std::signal(SIGINT, previous_); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    void (*previous_)(int);
};

double seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// "1 . . ." with the beat's place in the bar, or "beat N" without bars.
std::string beatLine(const MTBeat& beat, const MTTimeSignature& signature) {
    // Appended piece by piece: g++ 12 misreads "text" + std::string as an overlapping copy.
    std::string line;
    if (!signature.hasBars()) {
        line.append("beat ").append(std::to_string(beat.index + 1));
        return line;
    }
    const std::uint32_t at = signature.positionInBar(beat.index);
    for (std::uint32_t p = 0; p < signature.beatsPerBar(); ++p) {
        if (p > 0) {
            line.push_back(' ');
        }
        line.append(p == at ? std::to_string(p + 1) : std::string("."));
    }
    return line;
}

bool loadClick(MTBeatEngine& engine, const std::string& name, std::ostream& err) {
    std::string error;
    auto click = MTSettings::loadClick(fretkit::Bundle::main(), name, &error);
    if (!click) {
        err << "fretkit metronome: " << error << "; the sounds are:";
        for (const std::string& known : MTSettings::clickNames(fretkit::Bundle::main())) {
            err << " " << known;
        }
        err << '\n';
        return false;
    }
    engine.setSoundData(std::move(*click));
    return true;
}

// The stream plays the engine under the render lock the engine was made with.
std::unique_ptr<QVAudioStream> startStream(MTBeatEngine& engine, const QVRenderLockPtr& renderLock,
                                           std::ostream& err) {
    QVErrorPtr error;
    std::unique_ptr<QVAudioStream> stream =
        QVAudioStream::withDelegate(&engine, renderLock, &error);
    if (stream) {
        engine.start();
    }
    if (!stream || !stream->start(&error)) {
        err << "fretkit metronome: " << (error ? error->localizedDescription() : "no audio stream")
            << '\n';
        return nullptr;
    }
    return stream;
}

// Pumps the offline device buffer by buffer and writes what the stream renders.
int renderToFile(const MetronomeOptions& options, MTBeatEngine& engine,
                 const QVRenderLockPtr& renderLock, std::ostream& out, std::ostream& err) {
    auto* device = dynamic_cast<OfflineAudioDevice*>(&AudioDeviceLayer::current());
    if (device == nullptr) {
        err << "fretkit metronome: the offline audio device is not installed\n";
        return 1;
    }
    const double rate = QVAudioSession::sampleRate();
    const std::uint64_t total = options.totalFrames(rate).value_or(0);
    std::string error;
    auto writer =
        AudioFileWriter::create(options.wavPath, rate, device->info().outputChannels, &error);
    if (!writer) {
        err << "fretkit metronome: " << error << '\n';
        return 1;
    }
    auto stream = startStream(engine, renderLock, err);
    if (!stream) {
        return 1;
    }
    std::vector<float> block(std::size_t{options.bufferFrames} * device->info().outputChannels);
    double nextReport = seconds() + 1.0;
    for (std::uint64_t done = 0; done < total;) {
        const auto frames =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(options.bufferFrames, total - done));
        if (!device->pump(frames, nullptr, block.data()) || !writer->write(block.data(), frames)) {
            err << "fretkit metronome: writing " << options.wavPath << " failed\n";
            return 1;
        }
        done += frames;
        if (seconds() >= nextReport) {
            err << "rendered " << static_cast<double>(done) / rate << " s\n";
            nextReport += 1.0;
        }
    }
    stream->stop();
    if (!writer->close()) {
        err << "fretkit metronome: " << options.wavPath << " could not be completed\n";
        return 1;
    }
    fretkit::MainThread::defaultQueue().pump();
    out << "wrote " << total << " frames (" << static_cast<double>(total) / rate << " s) to "
        << options.wavPath << '\n';
    return 0;
}

// Plays on the device, printing each beat, until the count is reached or Ctrl-C.
int playLive(const MetronomeOptions& options, MTBeatEngine& engine,
             const QVRenderLockPtr& renderLock, std::ostream& out, std::ostream& err) {
    const InterruptGuard guard;
    const auto total = options.totalFrames(QVAudioSession::sampleRate());
    auto stream = startStream(engine, renderLock, err);
    if (!stream) {
        return 1;
    }
    fretkit::QueueDispatcher& queue = fretkit::MainThread::defaultQueue();
    const auto finished = [&] {
        return interrupted != 0 || !stream->isRunning() ||
               (total && engine.framesRendered() >= *total);
    };
    for (;;) {
        // Wakes at the display's pace to show the beats the audio thread signalled.
        queue.pumpUntil(finished, std::chrono::milliseconds(5));
        while (const auto beat = engine.beatSignal().take()) {
            if (!options.beats || beat->index < *options.beats) {
                out << beatLine(*beat, options.signature) << std::endl;
            }
        }
        if (finished()) {
            break;
        }
    }
    // A device that went away before the count was reached is a failure.
    const bool failed =
        !stream->isRunning() && interrupted == 0 && !(total && engine.framesRendered() >= *total);
    stream->stop();
    queue.pump();
    return failed ? 1 : 0;
}

// Each Enter is a tap; prints the tempo the taps give, clamped as the tempo editor does.
int tapTempo(std::istream& in, std::ostream& out) {
    MTTapTempo taps;
    MTTempoEditorModel editor;
    out << "Press Enter in time with the beat; end with Ctrl-D." << std::endl;
    for (std::string line; std::getline(in, line);) {
        const auto tempo = taps.tap(seconds());
        if (!tempo) {
            out << "tap" << std::endl;
            continue;
        }
        editor.setTempo(*tempo);
        const auto name = MTTempoEditorModel::nameIndexForTempo(editor.tempo());
        out << editor.tempo() << " BPM"
            << (name ? " " + MTTempoEditorModel::names()[*name].title : std::string()) << std::endl;
    }
    return 0;
}

int metronome(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<MetronomeOptions> options = MetronomeOptions::parse(args, err);
    if (!options) {
        return 2;
    }
    if (options->tap) {
        return tapTempo(std::cin, out);
    }
    const QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>();
    MTBeatEngine engine(renderLock);
    if (!loadClick(engine, options->sound, err)) {
        return 2;
    }
    if (!options->wavPath.empty()) {
        options->audio.device.driver = "offline";
    }
    if (!options->audio.activate(err)) {
        return 1;
    }
    engine.setSampleRate(QVAudioSession::sampleRate());
    engine.setTempo(options->tempo);
    engine.setTimeSignature(options->signature);
    return options->wavPath.empty() ? playLive(*options, engine, renderLock, out, err)
                                    : renderToFile(*options, engine, renderLock, out, err);
}

} // namespace

CliCommand MetronomeCommand::command() {
    return {"metronome", std::string(MetronomeOptions::kSynopsis) + " " + AudioOptions::kSynopsis,
            "play a metronome, render it into a WAV file, or tap a tempo", metronome};
}
