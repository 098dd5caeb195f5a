#include "OfflineAudioDevice.h"

#include "HostTime.h"

namespace fretkit::host {

OfflineAudioDevice::OfflineAudioDevice(double sampleRate, std::uint32_t inputChannels,
                                       std::uint32_t outputChannels) {
    info_.name = "Offline";
    info_.route = inputChannels > 0 ? "SpeakerAndMicrophone" : "Speaker";
    info_.sampleRate = sampleRate;
    info_.inputChannels = inputChannels;
    info_.outputChannels = outputChannels;
    silence_.assign(std::size_t{kMaximumPumpFrames} * (inputChannels > 0 ? inputChannels : 1),
                    0.0f);
    discard_.assign(std::size_t{kMaximumPumpFrames} * outputChannels, 0.0f);
}

OSStatus OfflineAudioDevice::start(AudioDeviceClient& client) {
    sampleTime_ = 0.0;
    client_.store(&client);
    return noErr;
}

void OfflineAudioDevice::stop() {
    client_.store(nullptr);
}

bool OfflineAudioDevice::pump(std::uint32_t frames, const float* input, float* output) {
    AudioDeviceClient* client = client_.load();
    if (client == nullptr || frames > kMaximumPumpFrames) {
        return false;
    }
    AudioDeviceCycle cycle;
    cycle.frames = frames;
    cycle.inputChannels = info_.inputChannels;
    cycle.input = info_.inputChannels == 0 ? nullptr : (input != nullptr ? input : silence_.data());
    cycle.outputChannels = info_.outputChannels;
    cycle.output = output != nullptr ? output : discard_.data();
    cycle.timeStamp.mSampleTime = sampleTime_;
    cycle.timeStamp.mHostTime = hostAbsoluteTime();
    cycle.timeStamp.mFlags = kAudioTimeStampSampleTimeValid | kAudioTimeStampHostTimeValid;
    client->deviceCycle(cycle);
    sampleTime_ += frames;
    return true;
}

void OfflineAudioDevice::fail(OSStatus status, const std::string& reason) {
    if (AudioDeviceClient* client = client_.exchange(nullptr)) {
        client->deviceStopped(status, reason);
    }
}

} // namespace fretkit::host
