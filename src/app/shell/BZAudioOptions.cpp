#include "BZAudioOptions.h"

#include <QCommandLineParser>

using namespace fretkit::host;

BZAudioOptions::BZAudioOptions()
    : audio_(QStringLiteral("audio"),
             QStringLiteral("Audio driver: portaudio (a sound card, else the virtual device), "
                            "virtual (no sound card), file or offline."),
             QStringLiteral("driver")),
      input_(QStringLiteral("input"),
             QStringLiteral("Hear a recording (WAV or AIFF) instead of the microphone."),
             QStringLiteral("file")) {}

void BZAudioOptions::addTo(QCommandLineParser& parser) const {
    parser.addOption(audio_);
    parser.addOption(input_);
}

std::optional<AudioDeviceOptions> BZAudioOptions::deviceOptions(const QCommandLineParser& parser,
                                                                std::string* error) const {
    AudioDeviceOptions options = AudioDeviceOptions::fromEnvironment();
    const bool driverChosen = parser.isSet(audio_);
    if (driverChosen) {
        options.driver = parser.value(audio_).toStdString();
    }
    if (parser.isSet(input_)) {
        options.inputFile = parser.value(input_).toStdString();
        if (!driverChosen) {
            options.driver = "file";
        }
    }
    // A recording is heard through the file driver only; naming one chooses it.
    if (options.driver.empty() && !options.inputFile.empty()) {
        options.driver = "file";
    }
    if (driverChosen && parser.isSet(input_) && options.driver != "file") {
        *error = "--input plays a recording through the file driver; leave out --audio " +
                 options.driver + " or choose --audio file";
        return std::nullopt;
    }
    return options;
}

bool BZAudioOptions::install(const AudioDeviceOptions& options, std::string* error) {
    std::unique_ptr<AudioDevice> device = AudioDeviceLayer::makeDevice(options, error);
    if (!device) {
        return false;
    }
    AudioDeviceLayer::install(std::move(device));
    return true;
}
