#include "AudioInfoCommand.h"

#include "AudioOptions.h"
#include "audio/QVAudioSession.h"
#include "foundation/Log.h"
#include "host/PortAudioDevice.h"

#include <ostream>

using namespace fretkit::host;

CliCommand AudioInfoCommand::command() {
    return {"audio-info", AudioOptions::kSynopsis,
            "show the audio session's status and the audio devices found",
            [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
                const std::optional<AudioOptions> options = AudioOptions::parse(args, err);
                if (!options || !options->rest.empty()) {
                    if (options) {
                        err << "fretkit: unexpected argument '" << options->rest.front() << "'\n";
                    }
                    return 2;
                }
                if (!options->activate(err)) {
                    return 1;
                }
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
                return 0;
            }};
}
