#include "AudioOptions.h"

#include "audio/QVAudioSession.h"

#include <charconv>
#include <ostream>

using namespace fretkit::host;

std::optional<AudioOptions> AudioOptions::parse(const std::vector<std::string>& args,
                                                std::ostream& err) {
    AudioOptions options;
    options.device = AudioDeviceOptions::fromEnvironment();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "--audio" || arg == "--input" || arg == "--output" || arg == "--rate";
        if (takesValue && i + 1 >= args.size()) {
            err << "fretkit: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if (arg == "--audio") {
            options.device.driver = args[++i];
        } else if (arg == "--input") {
            options.device.inputFile = args[++i];
        } else if (arg == "--output") {
            options.device.outputFile = args[++i];
        } else if (arg == "--fast") {
            options.device.realTime = false;
        } else if (arg == "--rate") {
            const std::string& text = args[++i];
            double rate = 0.0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rate);
            if (ec != std::errc() || end != text.data() + text.size() || rate < 8000.0 ||
                rate > 192000.0) {
                err << "fretkit: --rate needs a sample rate from 8000 to 192000 Hz\n";
                return std::nullopt;
            }
            options.device.sampleRate = rate;
        } else {
            options.rest.push_back(arg);
        }
    }
    // Files make sense only to the file driver; naming one chooses it.
    if (options.device.driver.empty() &&
        (!options.device.inputFile.empty() || !options.device.outputFile.empty())) {
        options.device.driver = "file";
    }
    return options;
}

bool AudioOptions::activate(std::ostream& err) const {
    std::string error;
    std::unique_ptr<AudioDevice> chosen = AudioDeviceLayer::makeDevice(device, &error);
    if (!chosen) {
        err << "fretkit: " << error << '\n';
        return false;
    }
    AudioDeviceLayer::install(std::move(chosen));
    QVAudioSession* session = QVAudioSession::session();
    if (session == nullptr) {
        err << "fretkit: the audio session could not be started\n";
        return false;
    }
    session->setCategory(QVAudioSession::kCategoryPlayAndRecord);
    session->setPreferredSampleRate(device.sampleRate);
    session->setActive(true);
    return true;
}
