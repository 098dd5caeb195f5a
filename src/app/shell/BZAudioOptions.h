#pragma once

#include "host/AudioDeviceLayer.h"

#include <QCommandLineOption>
#include <optional>
#include <string>

class QCommandLineParser;

// The app's choice of audio device: --audio DRIVER (portaudio, virtual, file or offline, as the
// command-line tool's --audio and FRETKIT_AUDIO), --input FILE (the microphone's sound from a
// recording, through the file driver) and --output FILE (what the app plays, into a WAV file,
// through the file driver). Without options the environment decides, else a sound card, else
// the virtual device.
class BZAudioOptions {
public:
    BZAudioOptions();

    void addTo(QCommandLineParser& parser) const;
    // The device the parsed command line asks for; nullopt with a message for options that do
    // not go together.
    std::optional<fretkit::host::AudioDeviceOptions> deviceOptions(const QCommandLineParser& parser,
                                                                   std::string* error) const;
    // Makes the device and makes it the process's; false with a message when it cannot be made.
    static bool install(const fretkit::host::AudioDeviceOptions& options, std::string* error);

private:
    QCommandLineOption audio_;
    QCommandLineOption input_;
    QCommandLineOption output_;
};
