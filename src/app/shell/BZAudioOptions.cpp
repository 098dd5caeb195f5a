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
             QStringLiteral("file")),
      output_(QStringLiteral("output"),
              QStringLiteral("Write what the app plays into a WAV file instead of the speaker."),
              QStringLiteral("file")) {}

void BZAudioOptions::addTo(QCommandLineParser& parser) const {
    parser.addOption(audio_);
    parser.addOption(input_);
    parser.addOption(output_);
}

std::optional<AudioDeviceOptions> BZAudioOptions::deviceOptions(const QCommandLineParser& parser,
                                                                std::string* error) const {
    AudioDeviceOptions options = AudioDeviceOptions::fromEnvironment();
    const bool driverChosen = parser.isSet(audio_);
    if (driverChosen) {
        options.driver = parser.value(audio_).toStdString();
    }
    for (const auto& [option, file] :
         {std::pair{&input_, &options.inputFile}, std::pair{&output_, &options.outputFile}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        *file = parser.value(*option).toStdString();
        if (!driverChosen) {
            options.driver = "file";
        }
        // Recordings are heard and written through the file driver only; naming one chooses it.
        if (options.driver != "file") {
            *error = "--" + option->names().front().toStdString() +
                     " works through the file driver; leave out --audio " + options.driver +
                     " or choose --audio file";
            return std::nullopt;
        }
    }
    if (options.driver.empty() && !options.inputFile.empty()) {
        options.driver = "file";
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
