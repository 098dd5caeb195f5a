#include "VirtualAudioDevice.h"

#include "HostTime.h"

#include <algorithm>

namespace fretkit::host {

VirtualAudioDevice::VirtualAudioDevice(double sampleRate, std::uint32_t inputChannels,
                                       std::uint32_t outputChannels, std::uint32_t bufferFrames) {
    info_.name = "Virtual";
    info_.route = inputChannels > 0 ? "SpeakerAndMicrophone" : "Speaker";
    info_.sampleRate = sampleRate;
    info_.inputChannels = inputChannels;
    info_.outputChannels = outputChannels;
    info_.bufferFrames = bufferFrames;
    info_.outputLatency = bufferFrames / sampleRate;
}

VirtualAudioDevice::~VirtualAudioDevice() {
    stop();
}

AudioDeviceInfo VirtualAudioDevice::info() const {
    std::lock_guard lock(mutex_);
    return info_;
}

void VirtualAudioDevice::setPreferredSampleRate(double rate) {
    std::lock_guard lock(mutex_);
    if (rate > 0.0) {
        info_.sampleRate = rate;
    }
}

void VirtualAudioDevice::setPreferredBufferFrames(std::uint32_t frames) {
    std::lock_guard lock(mutex_);
    info_.bufferFrames = std::clamp(frames, 16u, 8192u);
}

OSStatus VirtualAudioDevice::start(AudioDeviceClient& client) {
    stop();
    const AudioDeviceInfo current = info();
    input_.assign(std::size_t{current.bufferFrames} * current.inputChannels, 0.0f);
    output_.assign(std::size_t{current.bufferFrames} * current.outputChannels, 0.0f);
    running_.store(true);
    thread_.start([this, &client, current](DeviceThread& thread) { run(client, current, thread); });
    return noErr;
}

void VirtualAudioDevice::stop() {
    thread_.stop();
    running_.store(false);
}

void VirtualAudioDevice::run(AudioDeviceClient& client, const AudioDeviceInfo& info,
                             DeviceThread& thread) {
    AudioDeviceCycle cycle;
    cycle.frames = info.bufferFrames;
    cycle.inputChannels = info.inputChannels;
    cycle.outputChannels = info.outputChannels;
    cycle.input = cycle.inputChannels > 0 ? input_.data() : nullptr;
    cycle.output = output_.data();
    cycle.timeStamp.mFlags = kAudioTimeStampSampleTimeValid | kAudioTimeStampHostTimeValid;
    const std::chrono::duration<double> period(cycle.frames / info.sampleRate);
    bool late = false;
    do {
        if (late) {
            countUnderrun();
        }
        cycle.timeStamp.mHostTime = hostAbsoluteTime();
        client.deviceCycle(cycle);
        cycle.timeStamp.mSampleTime += cycle.frames;
    } while (thread.waitForNextCycle(period, &late));
}

} // namespace fretkit::host
