#include "AudioDeviceLayer.h"

#include "OfflineAudioDevice.h"
#include "VirtualAudioDevice.h"

#include <cstdlib>
#include <mutex>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::unique_ptr<AudioDevice>& installed() {
    static std::unique_ptr<AudioDevice> device;
    return device;
}

std::mutex& installedMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

AudioDeviceOptions AudioDeviceOptions::fromEnvironment() {
    AudioDeviceOptions options;
    options.driver = environment(kDriverVariable);
    options.inputFile = environment(kInputVariable);
    options.outputFile = environment(kOutputVariable);
    const std::string fast = environment(kFastVariable);
    options.realTime = fast.empty() || fast == "0";
    return options;
}

AudioDevice& AudioDeviceLayer::current() {
    std::lock_guard lock(installedMutex());
    std::unique_ptr<AudioDevice>& device = installed();
    if (!device) {
        std::string error;
        device = makeDevice(AudioDeviceOptions::fromEnvironment(), &error);
        if (!device) {
            // A bad choice in the environment must not keep the application from running.
            device = std::make_unique<VirtualAudioDevice>();
        }
    }
    return *device;
}

void AudioDeviceLayer::install(std::unique_ptr<AudioDevice> device) {
    std::lock_guard lock(installedMutex());
    installed() = std::move(device);
}

std::unique_ptr<AudioDevice> AudioDeviceLayer::makeDevice(const AudioDeviceOptions& options,
                                                          std::string* error) {
    const std::string driver = options.driver.empty() ? "portaudio" : options.driver;
    if (driver == "offline") {
        return std::make_unique<OfflineAudioDevice>(options.sampleRate);
    }
    if (driver == "virtual" || driver == "portaudio") {
        return std::make_unique<VirtualAudioDevice>(options.sampleRate);
    }
    if (error != nullptr) {
        *error =
            "unknown audio driver '" + driver + "' (choose portaudio, virtual, file or offline)";
    }
    return nullptr;
}
