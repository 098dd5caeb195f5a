#include "AudioInfoCommand.h"

#include "AudioOptions.h"
#include "AudioRun.h"
#include "audio/QVAudioSession.h"
#include "audio/QVAudioStream.h"
#include "foundation/Log.h"
#include "host/PortAudioDevice.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>

using namespace fretkit::host;

namespace {

constexpr double kLongestWatch = 24.0 * 3600.0;

// "--watch SECONDS" off the arguments the audio options left: 0 without it, nullopt after a
// message for anything else.
std::optional<double> watchSeconds(const std::vector<std::string>& rest, std::ostream& err) {
    if (rest.empty()) {
        return 0.0;
    }
    if (rest.front() != "--watch") {
        err << "fretkit: unexpected argument '" << rest.front() << "'\n";
        return std::nullopt;
    }
    double seconds = 0.0;
    const std::string text = rest.size() > 1 ? rest[1] : "";
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (rest.size() != 2 || ec != std::errc() || end != text.data() + text.size() ||
        !(seconds > 0.0) || seconds > kLongestWatch) {
        err << "fretkit: --watch needs a number of seconds, up to 86400\n";
        return std::nullopt;
    }
    return seconds;
}

void printStatus(std::ostream& out) {
    out << "driver = " << AudioDeviceLayer::current().driverName() << '\n';
    fretkit::Log::Sink previous =
        fretkit::Log::setSink([&out](const std::string& line) { out << line << '\n'; });
    QVAudioSession::printStatusToLog();
    fretkit::Log::setSink(std::move(previous));
    const std::vector<std::string> devices = PortAudioDevice::deviceDescriptions();
    out << "devices:" << (devices.empty() ? " none (no sound card found)" : "") << '\n';
    for (const std::string& device : devices) {
        out << "  " << device << '\n';
    }
}

std::string countLine(std::uint64_t underruns, std::uint64_t overruns) {
    char line[96];
    std::snprintf(line, sizeof(line), "%llu underruns, %llu overruns",
                  static_cast<unsigned long long>(underruns),
                  static_cast<unsigned long long>(overruns));
    return line;
}

// Runs a silent stream for `seconds` and shows, once a second, the dropouts the device counted
// so far and those of the last second.
int watch(double seconds, std::ostream& out, std::ostream& err) {
    QVAudioStreamDelegate silent;
    QVErrorPtr error;
    std::unique_ptr<QVAudioStream> stream = QVAudioStream::withDelegate(&silent, &error);
    if (!stream || !stream->start(&error)) {
        err << "fretkit: " << (error ? error->localizedDescription() : "no audio stream") << '\n';
        return 1;
    }
    const std::uint64_t underruns = stream->underrunCount();
    const std::uint64_t overruns = stream->overrunCount();
    std::uint64_t lastUnderruns = underruns;
    std::uint64_t lastOverruns = overruns;
    const auto begin = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    };
    int shown = 0;
    const bool finished = runStream(
        *stream, [&] { return elapsed() >= seconds; },
        [&] {
            // One line a second; a late turn shows the second it comes in.
            const auto now = static_cast<int>(elapsed());
            if (now <= shown || now > seconds) {
                return;
            }
            shown = now;
            const std::uint64_t u = stream->underrunCount();
            const std::uint64_t o = stream->overrunCount();
            char load[48];
            std::snprintf(load, sizeof(load), ", cpu load %.1f %%",
                          static_cast<double>(stream->cpuLoad()) * 100.0);
            out << shown << " s: " << countLine(u - underruns, o - overruns) << " (+"
                << u - lastUnderruns << ", +" << o - lastOverruns << ")" << load << '\n'
                << std::flush;
            lastUnderruns = u;
            lastOverruns = o;
        });
    out << "watched " << elapsed() << " s: "
        << countLine(stream->underrunCount() - underruns, stream->overrunCount() - overruns)
        << '\n';
    if (!finished) {
        err << "fretkit: the audio stream stopped before the watch ended\n";
        return 1;
    }
    return 0;
}

} // namespace

CliCommand AudioInfoCommand::command() {
    return {"audio-info", std::string("[--watch SECONDS] ") + AudioOptions::kSynopsis,
            "show the audio session's status and the audio devices found; with --watch, run a "
            "silent stream and count the device's dropouts each second",
            [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
                const std::optional<AudioOptions> options = AudioOptions::parse(args, err);
                const std::optional<double> seconds =
                    options ? watchSeconds(options->rest, err) : std::nullopt;
                if (!seconds) {
                    return 2;
                }
                if (!options->activate(err)) {
                    return 1;
                }
                printStatus(out);
                return *seconds > 0.0 ? watch(*seconds, out, err) : 0;
            }};
}
