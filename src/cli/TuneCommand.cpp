#include "TuneCommand.h"

#include "AudioOptions.h"
#include "AudioRun.h"
#include "TuneCsvWriter.h"
#include "TuneListener.h"
#include "TuneOptions.h"
#include "TuneStatusLine.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/Bundle.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "foundation/UserDefaults.h"
#include "tuner/TNTunerEngine.h"

#include <atomic>
#include <csignal>
#include <ostream>

using namespace fretkit::host;

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

// Catches SIGINT for its lifetime, so an interrupted run still stops the stream and ends the
// status line.
class InterruptCatcher {
public:
    InterruptCatcher() {
        interrupted = false;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptCatcher() { sigaction(SIGINT, &previous_, nullptr); }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    struct sigaction previous_ {};
};

// The engine at the session's rate with the stored settings and the options over them; null
// after a message on err.
std::unique_ptr<TNTunerEngine> makeEngine(const TuneOptions& options, std::ostream& err) {
    auto engine = TNTunerEngine::create(QVAudioSession::sampleRate(),
                                        TNTunings::fromBundle(fretkit::Bundle::main()));
    if (!engine) {
        err << "fretkit: the pitch estimator could not be started\n";
        return nullptr;
    }
    fretkit::UserDefaults& defaults = fretkit::UserDefaults::standard();
    TNTunerEngine::registerDefaults(defaults);
    std::string error;
    if (!options.apply(*engine, defaults, error)) {
        err << "fretkit: " << error << '\n';
        return nullptr;
    }
    return engine;
}

std::unique_ptr<QVAudioStream> startStream(TuneListener& listener, std::ostream& err) {
    QVErrorPtr error;
    std::unique_ptr<QVAudioStream> stream = QVAudioStream::withDelegate(&listener, &error);
    if (!stream || !stream->start(&error)) {
        err << "fretkit: " << (error ? error->localizedDescription() : "no audio stream") << '\n';
        return nullptr;
    }
    return stream;
}

int tuneFile(AudioOptions audio, const TuneOptions& options, std::ostream& out, std::ostream& err) {
    // The file is the microphone, read as fast as the passes go; nothing is played.
    audio.device.driver = "file";
    audio.device.inputFile = options.file;
    audio.device.outputFile.clear();
    audio.device.realTime = false;
    if (!audio.activate(err)) {
        return 1;
    }
    auto engine = makeEngine(options, err);
    if (!engine) {
        return 2;
    }
    const double rate = QVAudioSession::sampleRate();
    TuneCsvWriter csv(out, rate);
    engine->setResultHandler([&csv](const TNTunerResult& result) { csv.write(result); });
    TuneListener listener(*engine, TuneCommand::kFramesPerPass);
    std::unique_ptr<QVAudioStream> stream = startStream(listener, err);
    if (!stream) {
        return 1;
    }
    csv.writeHeader();
    runStream(
        *stream, [] { return false; },
        [&] { return static_cast<double>(listener.frames()) / rate; }, "analysing", err);
    stream.reset();
    fretkit::MainThread::defaultQueue().pump(); // the last readings
    out.flush();
    return 0;
}

// Why the chosen device cannot serve as a microphone, or nothing when it can. Asking for a
// sound card and getting the stand-in without one counts as no microphone: its input is silence.
std::string microphoneProblem(const AudioOptions& audio) {
    QVAudioSession* session = QVAudioSession::session();
    if (session == nullptr || !session->isInputAvailable()) {
        return "there is no microphone to listen to";
    }
    const bool wantedCard = audio.device.driver.empty() || audio.device.driver == "portaudio";
    if (wantedCard && AudioDeviceLayer::current().driverName() != "portaudio") {
        return "there is no microphone: no sound card was found (--audio virtual listens to "
               "silence, --input FILE to a sound file)";
    }
    return {};
}

int tuneMicrophone(const AudioOptions& audio, const TuneOptions& options, std::ostream& out,
                   std::ostream& err) {
    InterruptCatcher catcher;
    if (!audio.activate(err)) {
        return 1;
    }
    if (const std::string problem = microphoneProblem(audio); !problem.empty()) {
        err << "fretkit: " << problem << '\n';
        return 1;
    }
    auto engine = makeEngine(options, err);
    if (!engine) {
        return 2;
    }
    std::optional<TNNote> note;
    engine->setResultHandler([&note](const TNTunerResult& result) { note = result.note; });
    TuneListener listener(*engine, 0);
    std::unique_ptr<QVAudioStream> stream = startStream(listener, err);
    if (!stream) {
        return 1;
    }
    engine->startAnalysis();
    std::string shown;
    runStream(
        *stream, [] { return interrupted.load(); },
        [&] {
            const std::string line = TuneStatusLine::format(note, engine->levelLamps());
            if (line != shown) {
                out << '\r' << line << std::flush;
                shown = line;
            }
        });
    engine->stopAnalysis();
    stream.reset();
    out << '\n' << std::flush;
    if (!interrupted && audio.device.driver != "file") {
        err << "fretkit: the microphone stopped\n";
        return 1;
    }
    return 0;
}

int tune(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<AudioOptions> audio = AudioOptions::parse(args, err);
    if (!audio) {
        return 2;
    }
    std::string error;
    const std::optional<TuneOptions> options = TuneOptions::parse(audio->rest, error);
    if (!options) {
        err << "fretkit: " << error << '\n';
        return 2;
    }
    return options->mic ? tuneMicrophone(*audio, *options, out, err)
                        : tuneFile(*audio, *options, out, err);
}

} // namespace

CliCommand TuneCommand::command() {
    return {"tune", std::string(TuneOptions::kSynopsis) + " " + AudioOptions::kSynopsis,
            "read pitches from a sound file as CSV, or tune live from the microphone", tune};
}
