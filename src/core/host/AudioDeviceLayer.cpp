#include "AudioDeviceLayer.h"

#include "FileAudioDevice.h"
#include "OfflineAudioDevice.h"
#include "PortAudioDevice.h"
#include "VirtualAudioDevice.h"
#include "foundation/Log.h"

#include <cstdlib>
#include <mutex>
#include <vector>

namespace fretkit::host {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::unique_ptr<AudioDevice>& installed() {
    static std::unique_ptr<AudioDevice> device;
    return device;
}

// Devices replaced after a failure, kept until the next install.
std::vector<std::unique_ptr<AudioDevice>>& retired() {
    static std::vector<std::unique_ptr<AudioDevice>> devices;
    return devices;
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
    retired().clear();
}

AudioDevice& AudioDeviceLayer::replaceFailedDevice(AudioDevice& failed, OSStatus status) {
    std::lock_guard lock(installedMutex());
    const AudioDeviceInfo info = failed.info();
    auto replacement = std::make_unique<VirtualAudioDevice>(info.sampleRate, info.inputChannels,
                                                            info.outputChannels, info.bufferFrames);
    fretkit::Log::format("audio: the %s device (%s) could not start (status %d); going on with "
                         "the virtual device, without sound",
                         failed.driverName().c_str(), info.name.c_str(), static_cast<int>(status));
    std::unique_ptr<AudioDevice>& device = installed();
    if (device.get() == &failed) {
        retired().push_back(std::move(device));
        device = std::move(replacement);
        return *device;
    }
    // Not the process's device (one was installed since): the replacement is kept aside.
    retired().push_back(std::move(replacement));
    return *retired().back();
}

std::unique_ptr<AudioDevice> AudioDeviceLayer::makeDevice(const AudioDeviceOptions& options,
                                                          std::string* error) {
    const std::string driver = options.driver.empty() ? "portaudio" : options.driver;
    if (driver == "offline") {
        return std::make_unique<OfflineAudioDevice>(options.sampleRate);
    }
    if (driver == "virtual") {
        return std::make_unique<VirtualAudioDevice>(options.sampleRate);
    }
    if (driver == "portaudio") {
        std::string why;
        if (auto device = PortAudioDevice::create(&why)) {
            device->setPreferredSampleRate(options.sampleRate);
            return device;
        }
        // Without a sound card the application still runs, on the clock alone.
        fretkit::Log::format("audio: %s; using the virtual device", why.c_str());
        return std::make_unique<VirtualAudioDevice>(options.sampleRate);
    }
    if (driver == "file") {
        FileAudioDevice::Options file;
        file.inputFile = options.inputFile;
        file.outputFile = options.outputFile;
        file.realTime = options.realTime;
        file.sampleRate = options.sampleRate;
        file.outputChannels = options.outputChannels;
        file.outputFrames = options.outputFrames;
        return FileAudioDevice::create(file, error);
    }
    if (error != nullptr) {
        *error =
            "unknown audio driver '" + driver + "' (choose portaudio, virtual, file or offline)";
    }
    return nullptr;
}

} // namespace fretkit::host
