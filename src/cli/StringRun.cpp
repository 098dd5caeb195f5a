#include "StringRun.h"

#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/MainThread.h"
#include "foundation/QueueDispatcher.h"
#include "host/AudioFileWriter.h"
#include "host/OfflineAudioDevice.h"

#include <chrono>
#include <ostream>

using namespace fretkit::host;

namespace {

std::unique_ptr<QVAudioStream> startStream(const StringRun::Job& job, const std::string& command,
                                           std::ostream& err) {
    QVErrorPtr error;
    std::unique_ptr<QVAudioStream> stream =
        QVAudioStream::withDelegate(job.delegate, job.renderLock, &error);
    if (!stream || !stream->start(&error)) {
        err << "fretkit " << command << ": "
            << (error ? error->localizedDescription() : "no audio stream") << '\n';
        return nullptr;
    }
    return stream;
}

} // namespace

std::optional<StringRun> StringRun::parse(const std::vector<std::string>& args,
                                          const std::string& command, std::ostream& err) {
    StringRun run;
    run.command_ = command;
    std::vector<std::string> others;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "-o") {
            others.push_back(args[i]);
        } else if (i + 1 < args.size()) {
            run.wavPath_ = args[++i];
        } else {
            err << "fretkit " << command << ": -o needs a file name\n";
            return std::nullopt;
        }
    }
    auto audio = AudioOptions::parse(others, err);
    if (!audio) {
        return std::nullopt;
    }
    run.rest = audio->rest;
    run.audio_ = std::move(*audio);
    if (!run.wavPath_.empty()) {
        run.audio_.device.driver = "offline";
    }
    return run;
}

bool StringRun::activate(std::ostream& err) {
    return audio_.activate(err);
}

double StringRun::sampleRate() const {
    return QVAudioSession::sampleRate();
}

int StringRun::run(const Job& job, std::ostream& out, std::ostream& err) {
    return wavPath_.empty() ? playLive(job, out, err) : renderToFile(job, out, err);
}

int StringRun::renderToFile(const Job& job, std::ostream& out, std::ostream& err) {
    auto* device = dynamic_cast<OfflineAudioDevice*>(&AudioDeviceLayer::current());
    if (device == nullptr) {
        err << "fretkit " << command_ << ": the offline audio device is not installed\n";
        return 1;
    }
    const double rate = sampleRate();
    const std::uint32_t channels = device->info().outputChannels;
    std::string error;
    auto writer = AudioFileWriter::create(wavPath_, rate, channels, &error);
    if (!writer) {
        err << "fretkit " << command_ << ": " << error << '\n';
        return 1;
    }
    auto stream = startStream(job, command_, err);
    if (!stream) {
        return 1;
    }
    fretkit::QueueDispatcher& queue = fretkit::MainThread::defaultQueue();
    std::vector<float> block(std::size_t{kBufferFrames} * channels);
    const auto limit = static_cast<std::uint64_t>(job.maximumSeconds * rate);
    std::uint64_t done = 0;
    for (; done < limit; done += kBufferFrames) {
        job.advance(static_cast<double>(done) / rate);
        queue.pump();
        if (job.finished()) {
            break;
        }
        if (!device->pump(kBufferFrames, nullptr, block.data()) ||
            !writer->write(block.data(), kBufferFrames)) {
            err << "fretkit " << command_ << ": writing " << wavPath_ << " failed\n";
            return 1;
        }
    }
    stream->stop();
    if (!writer->close()) {
        err << "fretkit " << command_ << ": " << wavPath_ << " could not be completed\n";
        return 1;
    }
    queue.pump();
    out << "wrote " << done << " frames (" << static_cast<double>(done) / rate << " s) to "
        << wavPath_ << '\n';
    return 0;
}

int StringRun::playLive(const Job& job, std::ostream& out, std::ostream& err) {
    auto stream = startStream(job, command_, err);
    if (!stream) {
        return 1;
    }
    fretkit::QueueDispatcher& queue = fretkit::MainThread::defaultQueue();
    const auto begin = std::chrono::steady_clock::now();
    double elapsed = 0.0;
    while (stream->isRunning() && elapsed < job.maximumSeconds) {
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        job.advance(elapsed);
        if (job.finished()) {
            break;
        }
        // Sleeps a few milliseconds unless main-thread work arrives.
        queue.pumpUntil([] { return false; }, std::chrono::milliseconds(5));
    }
    const bool failed = !stream->isRunning();
    stream->stop();
    queue.pump();
    if (failed) {
        err << "fretkit " << command_ << ": the audio device stopped\n";
        return 1;
    }
    out << "played " << elapsed << " s\n";
    return 0;
}
